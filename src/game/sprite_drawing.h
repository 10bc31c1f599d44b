#pragma once
// The game's 16-bit sprites drawn by the game itself, the very pixels
// Allegro's draw_sprite and draw_trans_sprite give, without Allegro's call
// through a function pointer for every pixel: masked sprites (objects,
// falling brick fragments) and additive ones (particles, the run-mode
// cursor, with the additive blender at strength 32).
struct Picture;

// Which inner loop draws: Fastest picks the widest one this processor has;
// Allegro is Allegro's own routine, the reference the others must match.
// Lanes is the loop the web build draws with where the browser has SIMD.
enum class SpriteLoop { Fastest, Avx2, Sse2, Lanes, Portable, Allegro };
// Whether this build on this processor has the loop.
bool SpriteLoopAvailable(SpriteLoop loop);
// What Fastest stands for from now on (the frame draws with Fastest), so
// that whole frames can be drawn with each loop and compared. Fastest
// restores the widest loop.
void SetFastestSpriteLoop(SpriteLoop loop);

// Draws sprite onto target at (x, y) exactly as draw_sprite does: magenta
// sprite pixels leave the target as it was; with the target's clipping on,
// only its clip rectangle is drawn on; with it off, the sprite must lie
// inside the target, as with Allegro.
void DrawMaskedSprite(Picture* target, Picture* sprite, int x, int y, SpriteLoop loop = SpriteLoop::Fastest);

// The same for draw_trans_sprite after set_add_blender(0, 0, 0, 32), the
// game's only additive blender.
void DrawAdditiveSprite(Picture* target, Picture* sprite, int x, int y, SpriteLoop loop = SpriteLoop::Fastest);
