#pragma once
// Translucent sprites as the game draws them (particles, the run-mode
// cursor): Allegro's additive blender at strength 32 on 16-bit memory
// bitmaps, the very pixels draw_trans_sprite gives, without its call through
// a function pointer for every pixel.
struct BITMAP;

// Draws sprite onto target at (x, y) exactly as draw_trans_sprite does after
// set_add_blender(0, 0, 0, 32): magenta sprite pixels leave the target as it
// was; with the target's clipping on, only its clip rectangle is drawn on;
// with it off, the sprite must lie inside the target, as with Allegro.
// Anything but two 16-bit memory bitmaps in the usual 5-6-5 layout goes to
// draw_trans_sprite itself, after setting that blender (the game's only one).
void DrawAdditiveSprite(BITMAP* target, BITMAP* sprite, int x, int y);

// The same with a chosen inner loop, for the tests and the benchmark.
// Fastest is the SSE2 loop where the build has SSE2, else Portable.
enum class AdditiveLoop { Fastest, Portable };
void DrawAdditiveSprite(BITMAP* target, BITMAP* sprite, int x, int y, AdditiveLoop loop);

// Whether Fastest differs from Portable in this build.
bool AdditiveSpriteHasVectorLoop();
