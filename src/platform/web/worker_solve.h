#pragma once
// The solver behind the page's game: each search runs in the page's solver
// worker (a WebAssembly module of its own, web/page/zandrove-solver-worker.js),
// so the page's frames go on at 60 a second. The game sees the same
// interface as the native game's thread (solve/solve_search.h); the worker
// has one thread, so a search there does with one worker whatever the
// settings ask.
#include <chrono>

#include "solve/solve_search.h"

class WorkerSolve : public SolveSearch {
public:
    ~WorkerSolve() override { Cancel(); }
    bool Start(const LevelRecord* records, const SolveSettings& settings) override;
    State Poll() override;
    State Current() const override { return state_; }
    long Attempts() const override;
    double Seconds() const override;
    const SolveReport& Report() const override { return report_; }
    void Cancel() override;

private:
    State state_ = State::Idle;
    int search_ = -1;
    long attempts_ = 0;
    std::chrono::steady_clock::time_point started_;
    SolveReport report_;
};
