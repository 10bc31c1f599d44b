#pragma once
// Follows a level's frames from outside the frame function, to tell what a
// completed run was: the player's bombs as they stood when the run started
// (slot, place, fuse) and the frame, counted from that start, in which the
// level was complete. Frame 0 is the frame in which the run starts, as for
// zandrove-sim.
#include "progress/progress.h"

class World;

class RunRecorder {
public:
    void LevelStarted();
    // After every frame. True in the frame the level is complete, with run set.
    bool AfterFrame(const World& world, RunResult& run);

private:
    bool wasEditing_ = true;
    int frame_ = -1;  // -1 in edit mode
    RunResult run_;
};
