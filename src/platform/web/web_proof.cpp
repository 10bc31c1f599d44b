// The designer's checks after a search (how forgiving each solution is, and
// whether one bomb could do) on the page: handed to the page's solver
// worker as text after the search itself, as BackgroundProof runs them on
// a thread natively. The worker answers with one number for its progress
// (src/platform/web/solve_worker_main.cpp): 0 while measuring, then 1 + a
// millionth for each millionth of the proof's placements decided.
#include <string>

#include "platform/web/page_calls.h"
#include "solve/background_proof.h"
#include "solve/search_text.h"

struct BackgroundProof::Work {
    int search = -1;
    long progress = 0;
};

BackgroundProof::BackgroundProof() = default;
BackgroundProof::~BackgroundProof() { Cancel(); }

bool BackgroundProof::Start(const LevelRecord* records, std::vector<std::vector<BombPlacement>> solutions, bool prove,
                            int frames, int) {
    Cancel();
    auto work = std::make_unique<Work>();
    work->search = PageSolveStart(ProofText(records, solutions, prove, frames).c_str());
    if (work->search < 0) return false;
    work_ = std::move(work);
    result_ = Result{};
    started_ = std::chrono::steady_clock::now();
    state_ = State::Measuring;
    return true;
}

BackgroundProof::State BackgroundProof::Poll() {
    if (!work_) return state_;
    work_->progress = PageSolveAttempts(work_->search);
    const int state = PageSolveState(work_->search);
    if (state == 0) {
        state_ = work_->progress >= 1 ? State::Proving : State::Measuring;
        return state_;
    }
    ProofFound found;
    const bool read = state == 1 && ReadProofFoundText(PageSolveReport(work_->search), found);
    PageSolveCancel(work_->search);  // the page forgets it
    work_.reset();
    // A worker that failed leaves the search's solutions unmeasured, as a
    // check cancelled natively does.
    if (read) result_ = Result{std::move(found.forgiveness), found.proved, found.proof};
    state_ = State::Done;
    return state_;
}

double BackgroundProof::Decided() const {
    if (state_ == State::Done)
        return result_.proved && result_.proof.total > 0
                   ? static_cast<double>(result_.proof.decided) / static_cast<double>(result_.proof.total)
                   : 0;
    if (!work_ || work_->progress < 1) return 0;
    return static_cast<double>(work_->progress - 1) / 1e6;
}

double BackgroundProof::Seconds() const {
    if (state_ == State::Idle) return 0;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
}

void BackgroundProof::Cancel() {
    if (work_ && work_->search >= 0) PageSolveCancel(work_->search);
    work_.reset();
    state_ = State::Idle;
}
