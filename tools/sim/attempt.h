#pragma once
// One try of the solver: the level played with some bombs, fast (nothing
// drawn) and stopped as soon as its outcome is certain, with a measure of
// how near it came.
#include <cstdint>
#include <memory>
#include <vector>

#include "sim/placement.h"

struct LevelRecord;
class NavField;

// A hamster at the end of a frame, as much as the choice of the next bomb needs.
struct HamsterSnapshot {
    int32_t x = 0, y = 0, vx = 0, vy = 0;  // raw fixed point
    bool resting = false;
};

// Frame by frame, from frame 0 (as built and placed) to the last frame run.
struct Trajectory {
    int hamsterCount = 0;
    std::vector<uint64_t> worldHash;        // everything but the bombs
    std::vector<HamsterSnapshot> hamsters;  // hamsterCount per frame
    bool settled = false;                   // ended with every hamster still

    int LastFrame() const { return static_cast<int>(worldHash.size()) - 1; }
    const HamsterSnapshot& At(int frame, int hamster) const { return hamsters[frame * hamsterCount + hamster]; }
};

struct AttemptOutcome {
    bool complete = false;
    int frame = 0;        // the completion frame, or the last frame run
    int32_t score = 0;    // smaller is nearer to every hamster counting in an exit
};

class AttemptRunner {
public:
    AttemptRunner(const LevelRecord* records, int frameLimit);
    ~AttemptRunner();

    AttemptOutcome Run(const std::vector<BombPlacement>& bombs, Trajectory* trajectory = nullptr) const;

    // The frame in which the hamster sees the blast of the inventory bomb in
    // slot with this fuse (after the HUD's limits): one frame later when the
    // bomb is stepped after the hamster.
    int BlastFrame(int slot, int fuse, int hamster) const;
    // The last frame in which any bomb blasts, the level's fixed bombs included.
    int LastBlast(const std::vector<BombPlacement>& bombs) const;
    int HamsterCount() const { return hamsterCount_; }
    int Placeable() const { return placeable_; }
    int FrameLimit() const { return frameLimit_; }

private:
    const LevelRecord* records_;
    int frameLimit_;
    int hamsterCount_ = 0;
    int placeable_ = 0;
    int lastFixedBlast_ = 0;
    int reachBottom_ = 0;  // the lowest edge of any block, brick or exit
    std::vector<std::vector<bool>> bombAfterHamster_;  // [slot][hamster]
    std::unique_ptr<NavField> nav_;
};

// The fuse a bomb gets from the HUD for the value v.
int LimitedFuse(int v);
