#pragma once
// The solutions a search found, put in the order a hint wants them: the most
// forgiving to the hand first (the bomb that must be placed most precisely
// decides, then all of them together), then the fewest bombs, then the
// earliest completion.
#include <cstddef>
#include <vector>

#include "solve/solver.h"
#include "solve/worker_pool.h"

// a before b in that order. An unmeasured solution forgives nothing.
bool MoreForgiving(const Solution& a, const Solution& b);

// Measures the solutions' forgiveness (of the bombs from `from` on: those
// before are the player's) and sorts them. Every solution is screened by its
// nearest placements (a pixel each way) first; the best few are measured in
// full, and the best of those nudged, a bomb at a time, towards the middle of
// the placements around it that complete, while that makes it more
// forgiving (staying within the mouse's reach when the settings ask for it).
// What the stop leaves unmeasured keeps an empty forgiveness.
void OrderByForgiveness(const LevelRecord* records, std::vector<Solution>& solutions, size_t from,
                        const SolveSettings& settings, const StopSignal& stop);
