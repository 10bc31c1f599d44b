#include "solve/worker_pool.h"

#if defined(__linux__)
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

#include <mutex>
#include <thread>
#include <vector>

// Linux gives each thread a nice value of its own. The page's solver runs
// in a worker of its own, which the browser schedules.
void RunBehindTheGame() {
#if defined(__linux__)
    if (setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 10) != 0) {
        // Same priority as the game: slower frames at worst, never wrong ones.
    }
#endif
}

long RunJobs(int count, int workers, const StopSignal& stop, const std::function<JobResult(int, int)>& work,
             const std::function<void(const JobResult&)>& take, bool lowPriority) {
    if (count <= 0) return 0;
    if (workers > count) workers = count;
    if (workers <= 1) {
        long done = 0;
        for (int job = 0; job < count && !stop.Stopped(); ++job) {
            JobResult r = work(0, job);
            r.job = job;
            ++done;
            take(r);
        }
        return done;
    }

    // This thread is worker 0 and hands on every result, its own and those
    // the other workers leave in the queue: a result never waits for a
    // thread to be woken, and take is only ever called here.
    std::atomic<int> next{0};
    std::mutex lock;
    std::vector<JobResult> queue, taking;
    auto runJobs = [&](int w, auto&& deliver) {
        for (;;) {
            const int job = next.fetch_add(1);
            if (job >= count || stop.Stopped()) break;
            JobResult r = work(w, job);
            r.job = job;
            deliver(r);
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(static_cast<size_t>(workers - 1));
    for (int w = 1; w < workers; ++w) {
        threads.emplace_back([&, w] {
            if (lowPriority) RunBehindTheGame();
            runJobs(w, [&](const JobResult& r) {
                std::lock_guard<std::mutex> hold(lock);
                queue.push_back(r);
            });
        });
    }
    long done = 0;
    auto drain = [&] {
        {
            std::lock_guard<std::mutex> hold(lock);
            taking.swap(queue);
        }
        for (const JobResult& r : taking) take(r);
        done += static_cast<long>(taking.size());
        taking.clear();
    };
    runJobs(0, [&](const JobResult& r) {
        take(r);
        ++done;
        drain();
    });
    for (std::thread& t : threads) t.join();
    drain();
    return done;
}
