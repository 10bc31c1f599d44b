#include "solve/background_solve.h"

#include <ostream>
#include <streambuf>
#include <system_error>
#include <thread>

#include "solve/worker_pool.h"

namespace {

class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
};

}  // namespace

// What the search's thread shares with the game's: the flags each side
// raises, and the report, which the game reads only once done is raised.
struct BackgroundSolve::Search {
    std::vector<LevelRecord> records;
    SolveSettings settings;
    std::atomic<bool> cancel{false};
    std::atomic<bool> done{false};
    std::atomic<long> attempts{0};
    SolveReport report;
    std::thread thread;

    void Run() {
        RunBehindTheGame();
        NullBuffer nothing;
        std::ostream quiet(&nothing);
        report = Solve(records.data(), settings, quiet);
        done.store(true, std::memory_order_release);
    }
};

BackgroundSolve::BackgroundSolve() = default;
BackgroundSolve::~BackgroundSolve() { Cancel(); }

bool BackgroundSolve::Start(const LevelRecord* records, const SolveSettings& settings) {
    Cancel();
    auto search = std::make_unique<Search>();
    for (const LevelRecord* r = records;; ++r) {
        search->records.push_back(*r);
        if (r->type == REC_END) break;
    }
    Search& s = *search;
    s.settings = settings;
    s.settings.cancel = &s.cancel;
    s.settings.lowPriority = true;
    s.settings.progress = [&s](long attempts) { s.attempts.store(attempts, std::memory_order_relaxed); };
    try {
        s.thread = std::thread([&s] { s.Run(); });
    } catch (const std::system_error&) {
        return false;
    }
    search_ = std::move(search);
    report_ = SolveReport{};
    started_ = std::chrono::steady_clock::now();
    state_ = State::Running;
    return true;
}

BackgroundSolve::State BackgroundSolve::Poll() {
    if (state_ != State::Running || !search_->done.load(std::memory_order_acquire)) return state_;
    search_->thread.join();
    report_ = std::move(search_->report);
    search_.reset();
    state_ = State::Done;
    return state_;
}

long BackgroundSolve::Attempts() const {
    if (state_ == State::Done) return report_.attempts;
    return search_ ? search_->attempts.load(std::memory_order_relaxed) : 0;
}

double BackgroundSolve::Seconds() const {
    if (state_ == State::Done) return report_.seconds;
    if (state_ == State::Idle) return 0;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
}

void BackgroundSolve::Cancel() {
    if (search_) {
        search_->cancel.store(true);
        if (search_->thread.joinable()) search_->thread.join();
        search_.reset();
    }
    state_ = State::Idle;
}

std::unique_ptr<SolveSearch> NewSolveSearch() { return std::make_unique<BackgroundSolve>(); }
