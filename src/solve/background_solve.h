#pragma once
// The solver behind the live game: Solve() runs on a thread of its own
// (which starts its own workers) behind the game's frames, so the frame loop
// keeps its pace and only looks at how far it got once a frame.
#include <atomic>
#include <chrono>
#include <memory>
#include <vector>

#include "sim/level_record.h"
#include "solve/solver.h"

class BackgroundSolve {
public:
    BackgroundSolve();
    ~BackgroundSolve();  // cancels a running search
    BackgroundSolve(const BackgroundSolve&) = delete;
    BackgroundSolve& operator=(const BackgroundSolve&) = delete;

    // Starts searching a copy of the records (up to and including REC_END),
    // cancelling a search still running. False when no thread could be
    // started; then nothing runs.
    bool Start(const LevelRecord* records, const SolveSettings& settings);

    enum class State { Idle, Running, Done, Failed };
    // Takes in what the search has done; never blocks. Call once a frame.
    State Poll();
    State Current() const { return state_; }
    long Attempts() const;   // placements tried so far
    double Seconds() const;  // since Start, or the search's own time once Done
    const SolveReport& Report() const { return report_; }  // when Done
    // Stops the search and waits for its threads to end (a few milliseconds:
    // an attempt under way finishes first); back to Idle.
    void Cancel();

private:
    struct Search;
    State state_ = State::Idle;
    std::unique_ptr<Search> search_;
    std::chrono::steady_clock::time_point started_;
    SolveReport report_;
};
