#pragma once
// Searching for the bombs that complete a level: positions and fuses tried
// through the simulation's own step, on worker threads that each play their
// own worlds.
#include <atomic>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "sim/placement.h"
#include "solve/forgiveness.h"

struct LevelRecord;

struct SolveSettings {
    int frames = 3600;            // frames each attempt may take to complete the level
    double budgetSeconds = 60;    // the whole search, setting up included
    int workers = 2;              // threads
    int shown = 10;               // solutions printed (and kept in the report); all are counted
    // Bombs kept as given, each in its slot; the search adds to them, in the
    // slots they leave free, lowest first.
    std::vector<BombPlacement> prefix;
    // Only placements a mouse can make (InMouseReach): what a hint may show.
    bool inMouseReach = false;
    // With the fewest bombs found, the search goes on through the finer grids
    // of that many bombs until it has counted this many solutions or spent
    // half its budget (0: it ends with the grid that found the first).
    int gather = 0;
    // The solutions kept are put in order, the most forgiving to the hand
    // first (forgiveness.h), and the best nudged towards the middle of the
    // placements that complete; all within the budget.
    bool forgiving = false;
    // Told how many placements have been tried, after each one.
    std::function<void(long attempts)> progress;
    // Raised by another thread: the search ends as soon as it can, as if its
    // budget were spent.
    const std::atomic<bool>* cancel = nullptr;
    // The workers run behind the rest of the process (the live game).
    bool lowPriority = false;
};

struct Solution {
    std::vector<BombPlacement> bombs;
    int frame = 0;         // completion frame
    double seconds = 0;    // into the search when found
    // Of the bombs beyond the prefix, when the search was asked to be
    // forgiving and had the time to measure it; empty otherwise.
    Forgiveness forgiveness;
};

struct SolveReport {
    std::vector<Solution> solutions;  // the ones printed
    long solutionCount = 0;
    long attempts = 0;
    double seconds = 0;
    double firstSeconds = 0;  // into the search when the first solution was found
    bool exhausted = false;  // every candidate tried within the budget
    // Signs of a level too easy to be a puzzle: it completes with no bomb
    // placed, or the very first placement tried (for the fewest bombs) does it.
    bool solvedWithNoBomb = false;
    bool solvedByFirstPlacement = false;
};

// The warnings those two flags give, one line each ending in a newline; empty
// when neither is set.
std::string TooEasyWarnings(const SolveReport& report);

// The search a hint runs: from the player's bombs (prefix, each in its
// slot), only where a mouse can place a bomb, a good many solutions gathered
// and the most forgiving first; the whole search within budgetSeconds.
SolveSettings HintSettings(double budgetSeconds, std::vector<BombPlacement> prefix);

// Needs no assets and no platform, and draws and sounds nothing.
SolveReport Solve(const LevelRecord* records, const SolveSettings& settings, std::ostream& out);
