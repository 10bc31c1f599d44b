#pragma once
// Masked and additive sprites, row by row: the very pixels Allegro's
// draw_sprite and draw_trans_sprite (with the additive blender at strength
// 32, the game's only one) give on 16-bit 5-6-5 memory bitmaps. Magenta
// sprite pixels leave the target as it was; with the target's clipping on
// only its clip rectangle is drawn on.
#include "raster/surface.h"

// Which inner loop draws: Fastest picks the widest one this processor has.
// Lanes is the same eight pixels at once as Sse2, in the compiler's own
// vectors: WebAssembly's SIMD on the web build, SSE2 natively.
enum class RowLoop { Fastest, Avx2, Sse2, Lanes, Portable };
bool RowLoopAvailable(RowLoop loop);

void DrawMaskedRows(const Surface& target, const Surface& sprite, int x, int y, RowLoop loop = RowLoop::Fastest);
void DrawAdditiveRows(const Surface& target, const Surface& sprite, int x, int y, RowLoop loop = RowLoop::Fastest);
