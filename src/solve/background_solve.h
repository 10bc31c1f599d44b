#pragma once
// The solver behind the live game: Solve() runs on a thread of its own
// (which starts its own workers) behind the game's frames, so the frame loop
// keeps its pace and only looks at how far it got once a frame.
#include <atomic>
#include <chrono>
#include <memory>
#include <vector>

#include "sim/level_record.h"
#include "solve/solve_search.h"
#include "solve/solver.h"

class BackgroundSolve : public SolveSearch {
public:
    BackgroundSolve();
    ~BackgroundSolve() override;  // cancels a running search
    BackgroundSolve(const BackgroundSolve&) = delete;
    BackgroundSolve& operator=(const BackgroundSolve&) = delete;

    // False when no thread could be started; then nothing runs.
    bool Start(const LevelRecord* records, const SolveSettings& settings) override;
    State Poll() override;
    State Current() const override { return state_; }
    long Attempts() const override;
    double Seconds() const override;
    const SolveReport& Report() const override { return report_; }
    // Stops the search and waits for its threads to end (a few milliseconds:
    // an attempt under way finishes first); back to Idle.
    void Cancel() override;

private:
    struct Search;
    State state_ = State::Idle;
    std::unique_ptr<Search> search_;
    std::chrono::steady_clock::time_point started_;
    SolveReport report_;
};
