#pragma once
// How precisely a solution must be placed: each of its bombs moved, the
// others left as they are, to every point within 3 pixels on both axes (49
// placements, its own among them), and how many of those still complete the
// level. A hand on a mouse is off by a pixel or two; a solution that only
// works at one pixel is a guess, not a plan.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "sim/placement.h"
#include "solve/worker_pool.h"

struct LevelRecord;

constexpr int kForgivenessReach = 3;  // pixels each way
constexpr int kForgivenessPlacements = (2 * kForgivenessReach + 1) * (2 * kForgivenessReach + 1);

struct Forgiveness {
    int reach = kForgivenessReach;  // pixels each way, at most kForgivenessReach
    std::vector<int> perBomb;  // of Placements(), in the solution's order
    // Per bomb, which of its placements complete: bit At(dx, dy) for the
    // bomb moved by (dx, dy).
    std::vector<uint64_t> where;

    int Side() const { return 2 * reach + 1; }
    int Placements() const { return Side() * Side(); }
    int At(int dx, int dy) const { return (dy + reach) * Side() + dx + reach; }
    int Dx(int at) const { return at % Side() - reach; }
    int Dy(int at) const { return at / Side() - reach; }
    bool Completes(size_t bomb, int dx, int dy) const { return (where[bomb] >> At(dx, dy) & 1) != 0; }
    // The bomb that must be placed most precisely decides; 0 without bombs.
    int Least() const;
    int Total() const;
    // More forgiving: the least first, then the total.
    friend bool operator<(const Forgiveness& a, const Forgiveness& b) {
        return a.Least() != b.Least() ? a.Least() < b.Least() : a.Total() < b.Total();
    }
};

// The bombs are placed each in the slot it names, as the solver gives them;
// a run completes within frameLimit frames. The bombs before `from` (those the
// player has placed already) stay where they are and are not measured:
// perBomb and where then hold the others only. A smaller reach measures
// fewer placements (a quick first look). Runs on up to workers threads and
// ends early (counting what ran) once stop says so.
Forgiveness MeasureForgiveness(const LevelRecord* records, const std::vector<BombPlacement>& bombs, int frameLimit,
                               int workers = 1, const StopSignal& stop = {}, size_t from = 0,
                               int reach = kForgivenessReach);
