#pragma once
// One try of the solver: the level played with some bombs, fast (nothing
// drawn) and stopped as soon as its outcome is certain, with a measure of
// how near it came.
#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <vector>

#include "sim/fuse.h"
#include "sim/placement.h"
#include "solve/level_run.h"
#include "solve/worker_pool.h"

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

// What an attempt watches in its hamsters, frame after frame, to tell when
// its outcome is certain.
struct AttemptWatch {
    std::vector<int32_t> lastX, lastY, lastExit;
    std::vector<int> movedAt, exitChangedAt;
};

// A partial placement played once with nothing stopping it early, the whole
// run saved at the frames from which a further bomb will be tried. A try
// then starts there instead of at frame 0: until its blast, a bomb placed
// late acts on nothing the play depends on.
struct Checkpoints {
    struct Resume {
        LevelRun::Saved run;
        AttemptWatch watch;
    };
    std::vector<BombPlacement> bombs;
    Trajectory path;               // frames 0 to the last one saved
    std::map<int, Resume> frames;  // by the frame they end
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

    // Runs end early, incomplete, once stop says so (the search is over).
    void StopWith(const StopSignal* stop) { stop_ = stop; }

    // Plays the level with bombs from frame 0. With a trajectory, records it.
    AttemptOutcome Run(const std::vector<BombPlacement>& bombs, Trajectory* trajectory = nullptr) const;
    // The same to the end whatever stop says: a solution found is confirmed.
    AttemptOutcome Confirm(const std::vector<BombPlacement>& bombs) const;

    // Plays bombs once and saves the run where a further bomb with each of
    // these fuses would start to matter.
    Checkpoints Prepare(const std::vector<BombPlacement>& bombs, std::span<const int> fuses) const;
    // The same as Run(base.bombs + next), but from the checkpoint of next's
    // fuse when there is one. next must blast no earlier than base's bombs.
    AttemptOutcome Extend(const Checkpoints& base, const BombPlacement& next, Trajectory* trajectory = nullptr) const;

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
    // The frame whose end a bomb with this fuse is placed at by Extend.
    static int ResumeFrame(int fuse) { return LimitedFuse(fuse) - 3; }
    AttemptWatch StartWatch() const;
    AttemptOutcome Play(const std::vector<BombPlacement>& bombs, AttemptWatch& watch, Trajectory* trajectory,
                        bool stoppable = true) const;
    bool Stopped(int frame) const { return stop_ && (frame & 15) == 0 && stop_->Stopped(); }

    const LevelRecord* records_;
    int frameLimit_;
    int hamsterCount_ = 0;
    int placeable_ = 0;
    int lastFixedBlast_ = 0;
    int reachBottom_ = 0;  // the lowest edge of any block, brick or exit
    std::vector<std::vector<bool>> bombAfterHamster_;  // [slot][hamster]
    std::unique_ptr<NavField> nav_;
    // One world for every attempt of this runner: rebuilt or restored, never
    // allocated anew per attempt.
    std::unique_ptr<LevelRun> run_;
    const StopSignal* stop_ = nullptr;
    // What every attempt needs anew, kept between attempts: a runner serves
    // one thread, whose attempts then allocate nothing.
    struct Scratch {
        std::vector<BombPlacement> bombs;
        AttemptWatch watch;
        std::vector<int32_t> nearest;
    };
    mutable Scratch scratch_;
};
