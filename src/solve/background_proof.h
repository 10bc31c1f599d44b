#pragma once
// What the designer asks after a search, on a thread of its own behind the
// frames (as BackgroundSolve runs the search): how forgiving each solution
// found is to the hand, then, when asked, whether one bomb could solve the
// level at all (ProveOneBomb). Cancellable at any time.
#include <atomic>
#include <chrono>
#include <memory>
#include <vector>

#include "sim/level_record.h"
#include "solve/forgiveness.h"
#include "solve/one_bomb_proof.h"

class BackgroundProof {
public:
    struct Result {
        std::vector<Forgiveness> forgiveness;  // per solution given, in their order
        bool proved = false;                   // the proof was asked for and ran
        OneBombProof proof;
    };

    BackgroundProof();
    ~BackgroundProof();  // cancels what runs
    BackgroundProof(const BackgroundProof&) = delete;
    BackgroundProof& operator=(const BackgroundProof&) = delete;

    // Starts on a copy of the records (up to and including REC_END),
    // cancelling what still runs. False when no thread could be started.
    bool Start(const LevelRecord* records, std::vector<std::vector<BombPlacement>> solutions, bool prove, int frames,
               int workers);

    enum class State { Idle, Measuring, Proving, Done };
    // Takes in what the thread has done; never blocks. Once a frame.
    State Poll();
    State Current() const { return state_; }
    // Of the proof's placements, the share decided so far (0 to 1).
    double Decided() const;
    double Seconds() const;  // since Start
    const Result& Get() const { return result_; }  // when Done
    // Stops and waits for the threads (an attempt under way ends first); Idle.
    void Cancel();

private:
    struct Work;
    State state_ = State::Idle;
    std::unique_ptr<Work> work_;
    std::chrono::steady_clock::time_point started_;
    Result result_;
};
