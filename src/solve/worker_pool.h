#pragma once
// Both cores for the solver: worker threads that take the next job as they
// finish one, each with a world of its own (nothing of the simulation is
// shared between them), their small results handed back to the calling
// thread in the order they come in.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>

struct JobResult {
    int32_t job = 0;
    int32_t complete = 0;
    int32_t frame = 0;
    int32_t score = 0;
};

using SolveClock = std::chrono::steady_clock;

// What stops a search early, besides its deadline: a flag another thread
// raises (the live game cancelling a hint), and one the search raises itself
// while its workers run (it has what it came for). Null: nothing but the
// deadline.
struct StopSignal {
    SolveClock::time_point deadline = SolveClock::time_point::max();
    const std::atomic<bool>* cancel = nullptr;
    const std::atomic<bool>* enough = nullptr;

    bool Stopped() const {
        return (cancel && cancel->load(std::memory_order_relaxed)) ||
               (enough && enough->load(std::memory_order_relaxed)) || SolveClock::now() >= deadline;
    }
};

// The calling thread runs behind the rest of the process from now on.
void RunBehindTheGame();

// Runs work(worker, job) for every job of [0, count) until stopped, on up to
// workers threads (on this one when workers is 1); worker numbers the thread,
// from 0, so that each can use a world of its own. take gets every result on
// the calling thread, in arrival order. Returns how many jobs ran. With
// lowPriority the workers run behind the rest of the process (the live
// game's frames).
long RunJobs(int count, int workers, const StopSignal& stop, const std::function<JobResult(int worker, int job)>& work,
             const std::function<void(const JobResult&)>& take, bool lowPriority = false);
