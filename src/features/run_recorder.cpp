#include "features/run_recorder.h"

#include <algorithm>

#include "sim/world.h"
#include "sim/bomb.h"
#include "sim/frame_globals.h"

std::vector<RecordedBomb> PlacedBombs() {
    std::vector<RecordedBomb> bombs;
    for (size_t k = 0; k < BombList.size() && k < BombPlaced.size(); ++k) {
        if (!BombPlaced[k]) continue;
        const cBomb& b = *BombList[k];
        bombs.push_back({static_cast<int>(k), b.HomeX, b.HomeY, b.Fuse});
    }
    return bombs;
}

void RunRecorder::LevelStarted() {
    wasEditing_ = true;
    frame_ = -1;
    run_ = RunResult{};
}

bool RunRecorder::AfterFrame(bool levelComplete, RunResult& run) {
    if (EditMode) {
        frame_ = -1;
    } else if (wasEditing_) {
        frame_ = 0;
        run_.bombs = PlacedBombs();
    } else {
        ++frame_;
    }
    wasEditing_ = EditMode;
    if (!levelComplete) return false;
    // A level without hamsters is complete before any run.
    if (frame_ < 0) run_ = RunResult{PlacedBombs(), 0};
    run = run_;
    run.frame = std::max(frame_, 0);
    return true;
}
