#pragma once
// What the player's edition tells of a run while it goes, read from the
// world after every step and changing nothing of it: how long the run has
// gone on, and whether it has failed: every hamster not yet home has left
// the play-field for good, or every hamster has stood still for two
// seconds, not all of them home, and no bomb on the field is still to go off.
#include <cstdint>
#include <vector>

#include "sim/geometry.h"

class World;

namespace edition {

constexpr int kRestFrames = 120;  // two seconds still

class RunWatch {
public:
    // A level's world as built: where its blocks, bricks and exits reach.
    void LevelStarted(const World& world);
    // After every step of the world (fast-forward's unshown ones too).
    void AfterStep(const World& world);

    bool Running() const { return running_; }
    // Frames since the frame that started the run (0), as the recorded runs count.
    int RunFrames() const { return running_ ? frames_ : 0; }
    bool Lost() const { return lost_; }
    int Hamsters() const { return static_cast<int>(still_.size()); }

private:
    Box reach_{0, 0, 0, 0};  // the field and every solid and exit in one box
    bool running_ = false;
    int frames_ = 0;
    bool lost_ = false;
    std::vector<int32_t> lastX_, lastY_;
    std::vector<int> still_;  // frames each hamster has not moved a whole pixel
};

}  // namespace edition
