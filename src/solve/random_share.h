#pragma once
// How often a guess solves a level: single bombs dropped at random near a
// hamster with a random fuse, and the share of them that complete it. A
// puzzle whose answer a guess finds one time in twenty is not much of one;
// the third set keeps this below one in two hundred.
//
// A guess is a whole pixel drawn uniformly from the free positions: where
// the mouse puts a bomb whole on the field (InMouseReach), in a grid cell
// that holds no block or brick, within 80 pixels (the blast's reach) of a
// hamster where the level starts it; and one of the 40 fuses the HUD sets,
// each as likely. The draws come from a generator of our own, seeded, in
// plain 64-bit arithmetic, so a seed gives the same guesses on every machine.
#include <cstdint>
#include <vector>

#include "sim/placement.h"
#include "solve/worker_pool.h"

struct LevelRecord;

struct RandomShareSettings {
    int runs = 2000;
    uint64_t seed = 1;
    int frames = 3600;  // frames each run may take to complete the level
    int workers = 2;
    StopSignal stop;
};

struct RandomShare {
    long positions = 0;  // the free positions the guesses are drawn from
    long runs = 0;       // played (fewer than asked only when stopped)
    long complete = 0;
    std::vector<BombPlacement> completing;  // in the order drawn
    double Percent() const { return runs > 0 ? 100.0 * static_cast<double>(complete) / static_cast<double>(runs) : 0; }
};

// The free positions, row by row.
std::vector<BombPlacement> FreePositionsNearHamsters(const LevelRecord* records);

// The guesses the seed gives, in order: slot 0, a free position, a fuse.
// None when the level has no free position.
std::vector<BombPlacement> RandomSingleBombs(const LevelRecord* records, int count, uint64_t seed);

// Plays each guess as the solver plays an attempt (to completion, to the
// frame limit, or until its outcome is certain), on the workers' threads.
RandomShare MeasureRandomShare(const LevelRecord* records, const RandomShareSettings& settings);
