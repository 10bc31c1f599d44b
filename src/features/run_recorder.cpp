#include "features/run_recorder.h"

#include <algorithm>

#include "sim/world.h"

void RunRecorder::LevelStarted() {
    wasEditing_ = true;
    frame_ = -1;
    run_ = RunResult{};
}

bool RunRecorder::AfterFrame(const World& world, RunResult& run) {
    if (world.EditMode) {
        frame_ = -1;
    } else if (wasEditing_) {
        frame_ = 0;
        run_.bombs = PlacedBombs(world);
    } else {
        ++frame_;
    }
    wasEditing_ = world.EditMode;
    if (!world.LevelComplete) return false;
    // A level without hamsters is complete before any run.
    if (frame_ < 0) run_ = RunResult{PlacedBombs(world), 0};
    run = run_;
    run.frame = std::max(frame_, 0);
    return true;
}
