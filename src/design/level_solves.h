#pragma once
// F5 on levels as designed: the solver's search in the background, then,
// behind it, how forgiving its solutions are and whether one bomb could
// do (the one-bomb proof), one level at a time; each level's last result is
// kept until the level changes, and said in two lines on the bar.
#include <string>
#include <vector>

#include "sim/level_record.h"
#include "solve/background_proof.h"
#include "solve/solve_search.h"

namespace design {

struct SolveResult {
    std::vector<LevelRecord> records;  // the level it is about
    bool failed = false;               // the search could not run
    SolveReport report;
    int inventory = 0;                 // bombs the player can take
    bool checking = true;              // forgiveness and proof still to come
    std::vector<Forgiveness> forgiveness;  // per solution of the report, once measured
    int best = -1;                         // the most forgiving of them, or -1
    bool proved = false;                   // the one-bomb proof ran to its end or was cut short
    OneBombProof proof;
    std::vector<BombPlacement> solution;   // offered to test-play: the best, empty if none
};

class LevelSolves {
public:
    // Starts a search of records, or cancels the one running (search or
    // checks after it). False when it could not start.
    bool Toggle(const std::vector<LevelRecord>& records);
    void Cancel();
    // Once a frame: takes in what the search and the checks have done.
    void Poll();
    bool Running() const { return searching_ || checks_.Current() != BackgroundProof::State::Idle; }
    // The bar's two lines for records: the search (its progress or its
    // result), and the checks after it; empty when there is nothing to say.
    std::string Status(const std::vector<LevelRecord>& records) const;
    std::string CheckStatus(const std::vector<LevelRecord>& records) const;
    // The result kept for exactly these records, or null.
    const SolveResult* ResultFor(const std::vector<LevelRecord>& records) const;

    SolveSettings settings;  // the search's frames, budget and workers

private:
    SolveResult* Find(const std::vector<LevelRecord>& records);
    void Checked();

    std::unique_ptr<SolveSearch> search_ = NewSolveSearch();
    BackgroundProof checks_;
    bool searching_ = false;
    std::vector<LevelRecord> current_;  // the level searched or checked now
    std::vector<SolveResult> results_;
};

// The first line of a finished search of a level (its result, with what the
// checks after it proved, if they are done).
std::string SolveSummary(const SolveResult& result);

}  // namespace design
