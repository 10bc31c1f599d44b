#pragma once
// The solver behind the live game: Solve() runs in a forked process group
// (which forks its own workers), so the frame loop keeps its pace and only
// looks at a pipe once a frame.
#include <sys/types.h>

#include <chrono>
#include <vector>

#include "sim/level_record.h"
#include "solve/solver.h"

class BackgroundSolve {
public:
    BackgroundSolve() = default;
    ~BackgroundSolve();  // cancels a running search
    BackgroundSolve(const BackgroundSolve&) = delete;
    BackgroundSolve& operator=(const BackgroundSolve&) = delete;

    // Starts searching a copy of the records (up to and including REC_END),
    // cancelling a search still running. False when no process could be
    // started; then nothing runs.
    bool Start(const LevelRecord* records, const SolveSettings& settings);

    enum class State { Idle, Running, Done, Failed };
    // Takes in what the search has sent; never blocks. Call once a frame.
    State Poll();
    State Current() const { return state_; }
    long Attempts() const { return attempts_; }  // placements tried so far
    double Seconds() const;                      // since Start, or the search's own time once Done
    const SolveReport& Report() const { return report_; }  // when Done
    // Kills the search and its workers; back to Idle.
    void Cancel();
    // The search's process group while it runs, else -1.
    pid_t Group() const { return pid_; }

private:
    void Reap();
    bool TakeMessages();

    State state_ = State::Idle;
    pid_t pid_ = -1;
    int fd_ = -1;
    std::vector<char> pending_;
    std::vector<LevelRecord> records_;
    long attempts_ = 0;
    std::chrono::steady_clock::time_point started_;
    SolveReport report_;
};
