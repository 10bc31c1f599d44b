#pragma once
// Plays the levels of the loaded level pack through the real frame function,
// with bomb placements and edit-mode input taken from each level's header in
// the pack's bytes (layout in pack_fuzzer.cpp).
#include <cstddef>
#include <cstdint>

struct ShellBitmaps;

// Per input at most this many levels, each for at most this many frames, so
// that every input costs a bounded time whatever its size.
constexpr int kFuzzLevelsPerInput = 4;
constexpr int kFuzzFramesPerLevel = 600;
constexpr int kFuzzInputFrames = 16;  // edit-mode input frames at most, within the 600
constexpr int kFuzzBombs = 5;         // the HUD's inventory slots

// data is the pack file LevelTable was just read from.
void PlayPackLevels(const ShellBitmaps& bitmaps, const uint8_t* data, size_t size);
