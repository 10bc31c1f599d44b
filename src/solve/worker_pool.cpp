#include "solve/worker_pool.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

bool WriteAll(int fd, const void* data, size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = write(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

namespace {

long RunHere(int first, int step, int count, SolveClock::time_point deadline,
             const std::function<JobResult(int)>& work, const std::function<bool(const JobResult&)>& take) {
    long done = 0;
    for (int job = first; job < count; job += step) {
        if (SolveClock::now() >= deadline) break;
        JobResult r = work(job);
        r.job = job;
        ++done;
        if (!take(r)) break;
    }
    return done;
}

struct Worker {
    pid_t pid = -1;
    int fd = -1;
    std::vector<char> pending;  // a result split across reads
};

}  // namespace

long RunJobs(int count, int workers, SolveClock::time_point deadline, const std::function<JobResult(int)>& work,
             const std::function<void(const JobResult&)>& take) {
    if (count <= 0) return 0;
    if (workers > count) workers = count;
    auto takeHere = [&](const JobResult& r) {
        take(r);
        return true;
    };
    if (workers <= 1) return RunHere(0, 1, count, deadline, work, takeHere);

    std::fflush(nullptr);  // a child must not repeat what the parent had buffered
    std::vector<Worker> pool;
    for (int w = 0; w < workers; ++w) {
        int fds[2];
        if (pipe(fds) != 0) break;
        const pid_t pid = fork();
        if (pid < 0) {
            close(fds[0]);
            close(fds[1]);
            break;
        }
        if (pid == 0) {
            close(fds[0]);
            for (const Worker& other : pool) close(other.fd);
            RunHere(w, workers, count, deadline, work,
                    [&](const JobResult& r) { return WriteAll(fds[1], &r, sizeof r); });
            close(fds[1]);
            _exit(0);  // no exit handlers, no flushing of the parent's copies
        }
        close(fds[1]);
        pool.push_back({pid, fds[0], {}});
    }
    if (pool.empty()) return RunHere(0, 1, count, deadline, work, takeHere);

    long done = 0;
    const int started = static_cast<int>(pool.size());
    if (started < workers) {
        // Fewer workers than asked: this process takes the missing shares.
        for (int w = started; w < workers; ++w) done += RunHere(w, workers, count, deadline, work, takeHere);
    }
    size_t open = pool.size();
    std::vector<pollfd> fds;
    while (open > 0) {
        fds.clear();
        for (const Worker& w : pool) fds.push_back({w.fd, POLLIN, 0});
        if (poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        for (size_t i = 0; i < pool.size(); ++i) {
            Worker& w = pool[i];
            if (w.fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
            char buffer[4096];
            const ssize_t n = read(w.fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                close(w.fd);
                w.fd = -1;
                --open;
                continue;
            }
            w.pending.insert(w.pending.end(), buffer, buffer + n);
            size_t used = 0;
            while (w.pending.size() - used >= sizeof(JobResult)) {
                JobResult r;
                std::memcpy(&r, w.pending.data() + used, sizeof r);
                used += sizeof r;
                ++done;
                take(r);
            }
            w.pending.erase(w.pending.begin(), w.pending.begin() + static_cast<long>(used));
        }
    }
    for (const Worker& w : pool) {
        int status = 0;
        while (waitpid(w.pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    return done;
}
