#include "solve/background_solve.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <streambuf>

#include "solve/worker_pool.h"

namespace {

// What the search process sends: a tag, then int64 fields.
constexpr int64_t kProgressTag = 1;  // attempts
constexpr int64_t kReportTag = 2;    // the report, below
constexpr int kProgressPeriodMs = 100;

class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
};

void Put(std::vector<int64_t>& out, int64_t v) { out.push_back(v); }

std::vector<int64_t> EncodeReport(const SolveReport& r) {
    std::vector<int64_t> m{kReportTag, r.solutionCount, r.attempts, static_cast<int64_t>(r.seconds * 1e6),
                           (r.exhausted ? 1 : 0) | (r.solvedWithNoBomb ? 2 : 0) | (r.solvedByFirstPlacement ? 4 : 0),
                           static_cast<int64_t>(r.solutions.size())};
    for (const Solution& s : r.solutions) {
        Put(m, s.frame);
        Put(m, static_cast<int64_t>(s.seconds * 1e6));
        Put(m, static_cast<int64_t>(s.bombs.size()));
        for (const BombPlacement& b : s.bombs) {
            Put(m, b.x);
            Put(m, b.y);
            Put(m, b.fuse);
        }
    }
    return m;
}

// A whole report decoded from the front of words; false when more must come.
// count is then the words it took.
bool DecodeReport(const int64_t* w, size_t size, SolveReport& r, size_t& count) {
    size_t at = 1;
    auto take = [&](int64_t& v) {
        if (at >= size) return false;
        v = w[at++];
        return true;
    };
    int64_t solutionCount, attempts, micros, exhausted, solutions;  // exhausted carries the report's flags
    if (!take(solutionCount) || !take(attempts) || !take(micros) || !take(exhausted) || !take(solutions))
        return false;
    SolveReport out;
    out.solutionCount = solutionCount;
    out.attempts = attempts;
    out.seconds = static_cast<double>(micros) / 1e6;
    out.exhausted = (exhausted & 1) != 0;
    out.solvedWithNoBomb = (exhausted & 2) != 0;
    out.solvedByFirstPlacement = (exhausted & 4) != 0;
    for (int64_t i = 0; i < solutions; ++i) {
        Solution s;
        int64_t frame, when, bombs;
        if (!take(frame) || !take(when) || !take(bombs)) return false;
        s.frame = static_cast<int>(frame);
        s.seconds = static_cast<double>(when) / 1e6;
        for (int64_t b = 0; b < bombs; ++b) {
            int64_t x, y, fuse;
            if (!take(x) || !take(y) || !take(fuse)) return false;
            s.bombs.push_back({static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<int>(fuse)});
        }
        out.solutions.push_back(std::move(s));
    }
    r = std::move(out);
    count = at;
    return true;
}

bool WriteWords(int fd, const std::vector<int64_t>& words) {
    return WriteAll(fd, words.data(), words.size() * sizeof(int64_t));
}

[[noreturn]] void RunSearch(int fd, const LevelRecord* records, SolveSettings settings) {
    // Its own process group, so that cancelling kills its workers too; gone
    // with the game; and behind the game when they share the cores.
    setpgid(0, 0);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
    signal(SIGPIPE, SIG_DFL);
    if (nice(10) == -1) {
        // Same priority as the game: slower frames at worst, never wrong ones.
    }
    auto last = std::chrono::steady_clock::now();
    settings.progress = [&](long attempts) {
        const auto now = std::chrono::steady_clock::now();
        if (now - last < std::chrono::milliseconds(kProgressPeriodMs)) return;
        last = now;
        WriteWords(fd, {kProgressTag, attempts});
    };
    NullBuffer nothing;
    std::ostream quiet(&nothing);
    const SolveReport report = Solve(records, settings, quiet);
    WriteWords(fd, EncodeReport(report));
    close(fd);
    _exit(0);  // none of the game's exit handlers, nor its buffered output
}

}  // namespace

BackgroundSolve::~BackgroundSolve() { Cancel(); }

bool BackgroundSolve::Start(const LevelRecord* records, const SolveSettings& settings) {
    Cancel();
    records_.clear();
    for (const LevelRecord* r = records;; ++r) {
        records_.push_back(*r);
        if (r->type == REC_END) break;
    }
    int fds[2];
    if (pipe(fds) != 0) return false;
    std::fflush(nullptr);  // the child must not repeat what this process had buffered
    const pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        return false;
    }
    if (pid == 0) {
        close(fds[0]);
        RunSearch(fds[1], records_.data(), settings);
    }
    close(fds[1]);
    setpgid(pid, pid);  // also here, so that a Cancel straight away finds the group
    fcntl(fds[0], F_SETFL, fcntl(fds[0], F_GETFL) | O_NONBLOCK);
    fcntl(fds[0], F_SETFD, FD_CLOEXEC);
    pid_ = pid;
    fd_ = fds[0];
    pending_.clear();
    attempts_ = 0;
    report_ = SolveReport{};
    started_ = std::chrono::steady_clock::now();
    state_ = State::Running;
    return true;
}

bool BackgroundSolve::TakeMessages() {
    size_t used = 0;
    bool done = false;
    while (!done) {
        const size_t words = (pending_.size() - used) / sizeof(int64_t);
        if (words == 0) break;
        std::vector<int64_t> w(words);
        std::memcpy(w.data(), pending_.data() + used, words * sizeof(int64_t));
        if (w[0] == kProgressTag) {
            if (words < 2) break;
            attempts_ = static_cast<long>(w[1]);
            used += 2 * sizeof(int64_t);
        } else if (w[0] == kReportTag) {
            size_t count = 0;
            if (!DecodeReport(w.data(), words, report_, count)) break;
            attempts_ = report_.attempts;
            used += count * sizeof(int64_t);
            done = true;
        } else {
            state_ = State::Failed;
            return false;
        }
    }
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<long>(used));
    return done;
}

BackgroundSolve::State BackgroundSolve::Poll() {
    if (state_ != State::Running) return state_;
    for (;;) {
        char buffer[4096];
        const ssize_t n = read(fd_, buffer, sizeof buffer);
        if (n > 0) {
            pending_.insert(pending_.end(), buffer, buffer + n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (TakeMessages()) state_ = State::Done;
            if (state_ != State::Running) Reap();
            return state_;
        }
        // The search ended (or died): whatever it sent is all there is.
        state_ = TakeMessages() ? State::Done : State::Failed;
        Reap();
        return state_;
    }
}

double BackgroundSolve::Seconds() const {
    if (state_ == State::Done) return report_.seconds;
    if (state_ == State::Idle) return 0;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
}

void BackgroundSolve::Reap() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (pid_ > 0) {
        kill(-pid_, SIGKILL);  // workers still finishing a job after their parent ended
        while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    pid_ = -1;
}

void BackgroundSolve::Cancel() {
    Reap();
    state_ = State::Idle;
}
