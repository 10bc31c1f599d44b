#pragma once
// Watching a kept run: the level built afresh, the recorded bombs placed in
// their slots, and the run played through the game's own frame function
// with the player's hands off (Esc, F10 or the close button stop it).
#include "progress/progress.h"

struct LevelRecord;
struct ShellBitmaps;
class FrameIo;

struct WatchEnd {
    int frame = -1;     // from the run's start (0) to the level's completion; -1: stopped or over frameLimit
    bool quit = false;  // F10 or the close button: the game ends
};
// The world is gone afterwards.
WatchEnd WatchRun(const LevelRecord* records, const RunResult& run, const ShellBitmaps& bitmaps, FrameIo& io,
                  int frameLimit);
