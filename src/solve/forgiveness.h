#pragma once
// How precisely a solution must be placed: each of its bombs moved, the
// others left as they are, to every point within 3 pixels on both axes (49
// placements, its own among them), and how many of those still complete the
// level. A hand on a mouse is off by a pixel or two; a solution that only
// works at one pixel is a guess, not a plan.
#include <vector>

#include "sim/placement.h"
#include "solve/worker_pool.h"

struct LevelRecord;

constexpr int kForgivenessReach = 3;  // pixels each way
constexpr int kForgivenessPlacements = (2 * kForgivenessReach + 1) * (2 * kForgivenessReach + 1);

struct Forgiveness {
    std::vector<int> perBomb;  // of kForgivenessPlacements, in the solution's order
    // The bomb that must be placed most precisely decides; 0 without bombs.
    int Least() const;
    int Total() const;
    // More forgiving: the least first, then the total.
    friend bool operator<(const Forgiveness& a, const Forgiveness& b) {
        return a.Least() != b.Least() ? a.Least() < b.Least() : a.Total() < b.Total();
    }
};

// The bombs are placed in order, each in the slot of its place in the list,
// as the solver gives them; a run completes within frameLimit frames. Runs on
// up to workers threads and ends early (counting what ran) once stop says so.
Forgiveness MeasureForgiveness(const LevelRecord* records, const std::vector<BombPlacement>& bombs, int frameLimit,
                               int workers = 1, const StopSignal& stop = {});
