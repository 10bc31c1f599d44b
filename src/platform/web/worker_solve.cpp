#include "platform/web/worker_solve.h"

#include <string>

#include "platform/web/page_calls.h"
#include "solve/search_text.h"

bool WorkerSolve::Start(const LevelRecord* records, const SolveSettings& settings) {
    Cancel();
    search_ = PageSolveStart(SearchText(records, settings).c_str());
    if (search_ < 0) return false;
    report_ = SolveReport{};
    attempts_ = 0;
    started_ = std::chrono::steady_clock::now();
    state_ = State::Running;
    return true;
}

SolveSearch::State WorkerSolve::Poll() {
    if (state_ != State::Running) return state_;
    attempts_ = PageSolveAttempts(search_);
    const int state = PageSolveState(search_);
    if (state == 0) return state_;
    const std::string text = state == 1 ? PageSolveReport(search_) : std::string();
    PageSolveCancel(search_);  // the page forgets it
    search_ = -1;
    state_ = state == 1 && ReadReportText(text, report_) ? State::Done : State::Failed;
    return state_;
}

long WorkerSolve::Attempts() const { return state_ == State::Done ? report_.attempts : attempts_; }

double WorkerSolve::Seconds() const {
    if (state_ == State::Done) return report_.seconds;
    if (state_ == State::Idle) return 0;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
}

void WorkerSolve::Cancel() {
    if (search_ >= 0) PageSolveCancel(search_);
    search_ = -1;
    state_ = State::Idle;
}

std::unique_ptr<SolveSearch> NewSolveSearch() { return std::make_unique<WorkerSolve>(); }
