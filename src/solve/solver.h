#pragma once
// Searching for the bombs that complete a level: positions and fuses tried
// through the game's own frame function, in worker processes.
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "solve/placement.h"

struct LevelRecord;

struct SolveSettings {
    int frames = 3600;            // frames each attempt may take to complete the level
    double budgetSeconds = 60;    // the whole search
    int workers = 2;              // processes
    int shown = 10;               // solutions printed; all are counted
    std::vector<BombPlacement> prefix;  // bombs kept as given; the search adds to them
    // Told how many placements have been tried, after each one.
    std::function<void(long attempts)> progress;
};

struct Solution {
    std::vector<BombPlacement> bombs;
    int frame = 0;         // completion frame
    double seconds = 0;    // into the search when found
};

struct SolveReport {
    std::vector<Solution> solutions;  // the ones printed
    long solutionCount = 0;
    long attempts = 0;
    double seconds = 0;
    bool exhausted = false;  // every candidate tried within the budget
    // Signs of a level too easy to be a puzzle: it completes with no bomb
    // placed, or the very first placement tried (for the fewest bombs) does it.
    bool solvedWithNoBomb = false;
    bool solvedByFirstPlacement = false;
};

// The warnings those two flags give, one line each ending in a newline; empty
// when neither is set.
std::string TooEasyWarnings(const SolveReport& report);

// Needs no assets and no Allegro, and draws and sounds nothing.
SolveReport Solve(const LevelRecord* records, const SolveSettings& settings, std::ostream& out);
