#include "solve/background_proof.h"

#include <system_error>
#include <thread>

#include "solve/worker_pool.h"

// What the thread shares with the frames: the flags each side raises, the
// proof's progress, and the result, read only once done is raised.
struct BackgroundProof::Work {
    std::vector<LevelRecord> records;
    std::vector<std::vector<BombPlacement>> solutions;
    bool prove = false;
    int frames = 0, workers = 1;
    std::atomic<bool> cancel{false};
    std::atomic<bool> proving{false};
    std::atomic<bool> done{false};
    std::atomic<long> decided{0}, total{1};
    Result result;
    std::thread thread;

    void Run() {
        RunBehindTheGame();
        const StopSignal stop{SolveClock::time_point::max(), &cancel};
        for (const std::vector<BombPlacement>& s : solutions) {
            if (stop.Stopped()) break;
            result.forgiveness.push_back(MeasureForgiveness(records.data(), s, frames, workers, stop));
        }
        if (prove && !stop.Stopped()) {
            proving.store(true);
            OneBombSettings settings;
            settings.frames = frames;
            settings.workers = workers;
            settings.stop = stop;
            settings.lowPriority = true;
            settings.progress = [this](long d, long t) {
                decided.store(d, std::memory_order_relaxed);
                total.store(t, std::memory_order_relaxed);
            };
            result.proof = ProveOneBomb(records.data(), settings);
            result.proved = true;
        }
        done.store(true, std::memory_order_release);
    }
};

BackgroundProof::BackgroundProof() = default;
BackgroundProof::~BackgroundProof() { Cancel(); }

bool BackgroundProof::Start(const LevelRecord* records, std::vector<std::vector<BombPlacement>> solutions, bool prove,
                            int frames, int workers) {
    Cancel();
    auto work = std::make_unique<Work>();
    for (const LevelRecord* r = records;; ++r) {
        work->records.push_back(*r);
        if (r->type == REC_END) break;
    }
    work->solutions = std::move(solutions);
    work->prove = prove;
    work->frames = frames;
    work->workers = workers;
    Work& w = *work;
    try {
        w.thread = std::thread([&w] { w.Run(); });
    } catch (const std::system_error&) {
        return false;
    }
    work_ = std::move(work);
    result_ = Result{};
    started_ = std::chrono::steady_clock::now();
    state_ = State::Measuring;
    return true;
}

BackgroundProof::State BackgroundProof::Poll() {
    if (!work_) return state_;
    if (!work_->done.load(std::memory_order_acquire)) {
        state_ = work_->proving.load() ? State::Proving : State::Measuring;
        return state_;
    }
    work_->thread.join();
    result_ = std::move(work_->result);
    work_.reset();
    state_ = State::Done;
    return state_;
}

double BackgroundProof::Decided() const {
    if (state_ == State::Done) return result_.proved && result_.proof.total > 0
                                          ? static_cast<double>(result_.proof.decided) / static_cast<double>(result_.proof.total)
                                          : 0;
    if (!work_) return 0;
    const long total = work_->total.load(std::memory_order_relaxed);
    return total > 0 ? static_cast<double>(work_->decided.load(std::memory_order_relaxed)) / static_cast<double>(total)
                     : 0;
}

double BackgroundProof::Seconds() const {
    if (state_ == State::Idle) return 0;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
}

void BackgroundProof::Cancel() {
    if (work_) {
        work_->cancel.store(true);
        if (work_->thread.joinable()) work_->thread.join();
        work_.reset();
    }
    state_ = State::Idle;
}
