#pragma once
// Plays the levels of the loaded level pack through the real frame function,
// with bomb placements and edit-mode input taken from each level's header in
// the pack's bytes. The drawn and the undrawn fuzz targets both play
// through this.
//
// The two headers of a pack are skipped unread by the game, so the play
// instructions come from each level's 128-byte header, which the fuzzer
// mutates along with the records:
//   byte 0             number of bombs to place (mod 6)
//   bytes 1 + 6k ...   bomb k: x, y, fuse, int16 little-endian each
//   byte 31            number of edit-mode input frames (mod 17)
//   bytes 32 + 6i ...  frame i: mouse x, mouse y (int16), buttons, key scancode
// Then Space, and run mode.
#include <cstddef>
#include <cstdint>

class InputFile;
struct Assets;

// Per input at most this many levels, each for at most this many frames, so
// that every input costs a bounded time whatever its size.
constexpr int kFuzzLevelsPerInput = 4;
constexpr int kFuzzFramesPerLevel = 600;
constexpr int kFuzzInputFrames = 16;  // edit-mode input frames at most, within the 600
constexpr int kFuzzBombs = 5;         // the HUD's inventory slots

// data is a pack file: written to file, read by the game's own reader as a
// player's pack is, and its levels played. drawing as in GameState: false
// plays undrawn, as the level tools do (bitmaps may then be empty: no
// Allegro start-up, no assets). Every level's world is checked after it is
// built and after its frames (world_check.h); so is a copy of it. Each input
// plays on a world of its own.
void PlayPackFile(InputFile& file, const Assets& bitmaps, bool drawing, const uint8_t* data, size_t size);
