#pragma once
// Where the solver tries the next bomb: only where its blast reaches a
// hamster, on a grid around where that hamster is when the bomb goes off.
#include <cstdint>
#include <unordered_set>
#include <vector>

#include "sim/placement.h"
#include "solve/attempt.h"

// Grids of 8, 4, 2 and 1 pixels; each pass leaves out the points of the
// passes before it.
constexpr int kGridPasses = 4;

struct Candidate {
    int node = 0;  // which partial placement it extends
    BombPlacement bomb;
};

// Adds the next bomb's candidates for one grid pass to out. The new bomb
// takes the lowest inventory slot the placed ones leave free, and blasts no
// earlier than they do, so the hamster's path up to its blast is the one
// recorded in trajectory. Placements that lead to a world already tried (the
// same state, the same bomb, no other bomb still to come) are left out
// through seen; with inMouseReach, so are those a mouse cannot make.
void AddCandidates(const AttemptRunner& runner, const std::vector<BombPlacement>& placed,
                   const Trajectory& trajectory, int pass, int node, std::unordered_set<uint64_t>& seen,
                   std::vector<Candidate>& out, bool inMouseReach = false);
