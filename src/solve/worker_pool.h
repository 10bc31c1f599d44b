#pragma once
// Both cores for the solver without sharing the game's globals between
// threads: each worker is a forked copy of the process that takes every
// n-th job and sends its small fixed-size results back through a pipe.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>

struct JobResult {
    int32_t job = 0;
    int32_t complete = 0;
    int32_t frame = 0;
    int32_t score = 0;
};

using SolveClock = std::chrono::steady_clock;

// All of data written to a pipe or file, through short writes and signals.
bool WriteAll(int fd, const void* data, size_t size);

// Runs work(job) for every job of [0, count) until the deadline, in up to
// workers processes (in this one when workers is 1 or fork fails). The
// parent gets every result through take, in arrival order. Returns how many
// jobs ran; fewer than count only when the deadline came first.
long RunJobs(int count, int workers, SolveClock::time_point deadline, const std::function<JobResult(int)>& work,
             const std::function<void(const JobResult&)>& take);
