#include "design/level_solves.h"

#include <algorithm>
#include <cstdio>

#include "design/design_doc.h"

namespace design {

namespace {

bool Same(const std::vector<LevelRecord>& a, const std::vector<LevelRecord>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameRecord);
}

std::string Seconds(double s) {
    char text[32];
    std::snprintf(text, sizeof text, s < 1 ? "%.2f s" : "%.1f s", s);  // a quick search is not "0.0 s"
    return text;
}

}  // namespace

std::string SolveSummary(const SolveReport& report, int inventory) {
    if (report.solutions.empty())
        return "no solution found in " + Seconds(report.seconds) +
               (report.exhausted ? " (every candidate tried)" : " (not every candidate tried)");
    const Solution& first = report.solutions.front();
    if (report.solvedWithNoBomb) return "solved with no bomb: too easy";
    return "solvable with " + std::to_string(first.bombs.size()) + " of " + std::to_string(inventory) +
           " bombs, first solution after " + Seconds(first.seconds) +
           (report.solvedByFirstPlacement ? ", by the first placement tried" : "");
}

bool LevelSolves::Toggle(const std::vector<LevelRecord>& records) {
    if (running_) {
        search_.Cancel();
        running_ = false;
        return true;
    }
    if (!search_.Start(records.data(), settings)) return false;
    running_ = true;
    searching_ = records;
    return true;
}

void LevelSolves::Poll() {
    if (!running_) return;
    const BackgroundSolve::State state = search_.Poll();
    if (state == BackgroundSolve::State::Running) return;
    running_ = false;
    SolveResult result{searching_, {}, {}};
    if (state == BackgroundSolve::State::Done) {
        const SolveReport& report = search_.Report();
        result.summary = SolveSummary(report, std::min(CountType(searching_, REC_BOMB), kMaxInventory));
        if (!report.solutions.empty()) result.solution = report.solutions.front().bombs;
    } else {
        result.summary = "the search failed";
    }
    std::erase_if(results_, [&](const SolveResult& r) { return Same(r.records, searching_); });
    results_.push_back(std::move(result));
    // A designer tries many versions of a level; only the latest few matter.
    if (results_.size() > 64) results_.erase(results_.begin());
}

std::string LevelSolves::Status(const std::vector<LevelRecord>& records) const {
    if (running_ && Same(records, searching_))
        return "solving: " + std::to_string(search_.Attempts()) + " placements tried, " + Seconds(search_.Seconds()) +
               " (F5 cancels)";
    if (const SolveResult* r = ResultFor(records)) return r->summary;
    if (running_) return "solving another level (F5 cancels)";
    return "";
}

const SolveResult* LevelSolves::ResultFor(const std::vector<LevelRecord>& records) const {
    for (const SolveResult& r : results_)
        if (Same(r.records, records)) return &r;
    return nullptr;
}

}  // namespace design
