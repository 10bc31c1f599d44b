#pragma once
// The solver run on levels as designed, one search at a time in the
// background, and each level's last result, kept until the level changes.
#include <string>
#include <vector>

#include "sim/level_record.h"
#include "solve/background_solve.h"

namespace design {

struct SolveResult {
    std::vector<LevelRecord> records;  // the level it is about
    std::string summary;               // "solvable with 2 of 3 bombs, ..." or "no solution found ..."
    std::vector<BombPlacement> solution;  // the first found, empty if none
};

class LevelSolves {
public:
    // Starts a search of records, or cancels the one running. False when it
    // could not start.
    bool Toggle(const std::vector<LevelRecord>& records);
    void Cancel() { search_.Cancel(); }
    // Once a frame: takes the result of a finished search.
    void Poll();
    bool Running() const { return running_; }
    // The bar's line for records: the search's progress, its result, or empty.
    std::string Status(const std::vector<LevelRecord>& records) const;
    // The result kept for exactly these records, or null.
    const SolveResult* ResultFor(const std::vector<LevelRecord>& records) const;

    SolveSettings settings;  // the search's frames, budget and workers

private:
    BackgroundSolve search_;
    bool running_ = false;
    std::vector<LevelRecord> searching_;
    std::vector<SolveResult> results_;
};

// The result line of a finished search of a level with inventory bombs.
std::string SolveSummary(const SolveReport& report, int inventory);

}  // namespace design
