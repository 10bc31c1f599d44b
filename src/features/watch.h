#pragma once
// Watching a kept run: the level built afresh in a world of its own, the
// recorded bombs placed in their slots, and the run played through the
// game's own frame function with the player's hands off (Esc, F10 or the
// close button stop it). The level in play is left as it was.
#include <memory>

#include "progress/progress.h"

struct Assets;
struct LevelRecord;
class FrameIo;

struct WatchEnd {
    int frame = -1;     // from the run's start (0) to the level's completion; -1: stopped or over frameLimit
    bool quit = false;  // F10 or the close button: the game ends
};

// One watch a frame at a time, for a caller that owns the loop (the player's
// edition); WatchRun runs all its frames.
class WatchSession {
public:
    WatchSession(const LevelRecord* records, const RunResult& run, int frameLimit);
    ~WatchSession();
    // One frame, presented through io. False once the watch is over; then
    // the hiss is stopped and End() says how it ended.
    bool Frame(const Assets& assets, FrameIo& io);
    const WatchEnd& End() const { return end_; }

private:
    struct Play;
    std::unique_ptr<Play> play_;
    WatchEnd end_;
};

WatchEnd WatchRun(const LevelRecord* records, const RunResult& run, const Assets& assets, FrameIo& io,
                  int frameLimit);
