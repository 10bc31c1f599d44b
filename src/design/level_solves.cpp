#include "design/level_solves.h"

#include <algorithm>
#include <cstdio>

#include "design/design_doc.h"
#include "solve/difficulty.h"

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

std::string Bombs(std::size_t n) { return std::to_string(n) + (n == 1 ? " bomb" : " bombs"); }

// The fewest bombs that solve the level, as far as it is known.
std::size_t Fewest(const SolveResult& r) {
    if (r.proved && r.proof.result == OneBombProof::Result::Solved) return 1;
    return r.report.solutions.empty() ? 0 : r.report.solutions.front().bombs.size();
}

// Known to need exactly n: none solves it (the search plays the level
// without bombs first), and n is 1, or it is 2 and the proof showed one
// cannot.
bool Proved(const SolveResult& r, std::size_t n) {
    if (n == 1) return true;
    return n == 2 && r.proved && r.proof.result == OneBombProof::Result::Impossible;
}

}  // namespace

std::string SolveSummary(const SolveResult& r) {
    if (r.failed) return "the search failed";
    const SolveReport& report = r.report;
    if (report.solvedWithNoBomb) return "solved with no bomb: too easy";
    const std::size_t fewest = Fewest(r);
    if (report.solutions.empty()) {
        if (fewest == 1)
            return "needs 1 bomb (" + std::to_string(r.inventory) + " given): the search found none, the one-bomb proof did";
        return "no solution found in " + Seconds(report.seconds) +
               (report.exhausted ? " (every candidate tried)" : " (not every candidate tried)");
    }
    const std::string bombs = Bombs(fewest) + " (" + std::to_string(r.inventory) + " given)";
    std::string text = Proved(r, fewest) ? "needs " + bombs : "best found: " + bombs;
    if (fewest < report.solutions.front().bombs.size()) return text + ", with one the search missed";
    text += ", " + std::to_string(report.solutionCount) + (report.solutionCount == 1 ? " solution" : " solutions") +
            " of " + std::to_string(report.attempts) + " placements";
    if (const std::optional<double> d = Difficulty(report)) text += ", difficulty " + FormatDifficulty(*d);
    if (report.solvedByFirstPlacement) text += ", too easy: the first placement tried solves it";
    return text;
}

void LevelSolves::Cancel() {
    search_->Cancel();
    checks_.Cancel();
    searching_ = false;
    if (SolveResult* r = Find(current_)) r->checking = false;
}

bool LevelSolves::Toggle(const std::vector<LevelRecord>& records) {
    if (Running()) {
        Cancel();
        return true;
    }
    if (!search_->Start(records.data(), settings)) return false;
    searching_ = true;
    current_ = records;
    return true;
}

SolveResult* LevelSolves::Find(const std::vector<LevelRecord>& records) {
    for (SolveResult& r : results_)
        if (Same(r.records, records)) return &r;
    return nullptr;
}

void LevelSolves::Poll() {
    if (searching_) {
        const SolveSearch::State state = search_->Poll();
        if (state == SolveSearch::State::Running) return;
        searching_ = false;
        SolveResult result;
        result.records = current_;
        result.inventory = std::min(CountType(current_, REC_BOMB), kMaxInventory);
        result.failed = state != SolveSearch::State::Done;
        if (!result.failed) result.report = search_->Report();
        if (!result.report.solutions.empty()) result.solution = result.report.solutions.front().bombs;
        std::erase_if(results_, [&](const SolveResult& r) { return Same(r.records, current_); });
        // A designer tries many versions of a level; only the latest few matter.
        if (results_.size() >= 64) results_.erase(results_.begin());
        // Then how forgiving its solutions are, and, unless one bomb is
        // known to do, whether one could.
        std::vector<std::vector<BombPlacement>> solutions;
        for (const Solution& s : result.report.solutions)
            if (!s.bombs.empty()) solutions.push_back(s.bombs);
        const bool prove = !result.failed && !result.report.solvedWithNoBomb && result.inventory > 0 &&
                           (result.report.solutions.empty() || result.report.solutions.front().bombs.size() > 1);
        result.checking = (!solutions.empty() || prove) &&
                          checks_.Start(current_.data(), std::move(solutions), prove, settings.frames, settings.workers);
        results_.push_back(std::move(result));
        return;
    }
    if (checks_.Current() == BackgroundProof::State::Idle) return;
    if (checks_.Poll() == BackgroundProof::State::Done) Checked();
}

void LevelSolves::Checked() {
    BackgroundProof::Result got = checks_.Get();
    checks_.Cancel();  // back to Idle: its result is taken
    SolveResult* r = Find(current_);
    if (!r) return;
    r->checking = false;
    r->forgiveness = std::move(got.forgiveness);
    for (std::size_t i = 0; i < r->forgiveness.size(); ++i)
        if (r->best < 0 || r->forgiveness[static_cast<std::size_t>(r->best)] < r->forgiveness[i])
            r->best = static_cast<int>(i);
    if (r->best >= 0) r->solution = r->report.solutions[static_cast<std::size_t>(r->best)].bombs;
    r->proved = got.proved;
    r->proof = got.proof;
    if (r->proved && r->proof.result == OneBombProof::Result::Solved) r->solution = {r->proof.solution};
}

std::string LevelSolves::Status(const std::vector<LevelRecord>& records) const {
    if (searching_ && Same(records, current_))
        return "solving: " + std::to_string(search_->Attempts()) + " placements tried, " + Seconds(search_->Seconds()) +
               " (F5 cancels)";
    if (const SolveResult* r = ResultFor(records)) return SolveSummary(*r);
    if (Running()) return "solving another level (F5 cancels)";
    return "";
}

std::string LevelSolves::CheckStatus(const std::vector<LevelRecord>& records) const {
    const SolveResult* r = ResultFor(records);
    if (!r || r->failed) return "";
    const bool live = r->checking && Same(records, current_) && checks_.Current() != BackgroundProof::State::Idle;
    std::string text;
    if (r->best >= 0) {
        const Forgiveness& f = r->forgiveness[static_cast<std::size_t>(r->best)];
        text = "forgiving: ";
        for (std::size_t i = 0; i < f.perBomb.size(); ++i) text += (i ? ", " : "") + std::to_string(f.perBomb[i]);
        text += " of " + std::to_string(kForgivenessPlacements) + (f.perBomb.size() == 1 ? "" : " per bomb");
    } else if (live && checks_.Current() == BackgroundProof::State::Measuring) {
        text = "measuring how forgiving the solutions are";
    }
    auto add = [&](const std::string& more) { text += (text.empty() ? "" : "   ") + more; };
    if (live && checks_.Current() == BackgroundProof::State::Proving) {
        char share[16];
        std::snprintf(share, sizeof share, "%.0f%%", 100 * checks_.Decided());
        add("one bomb: " + std::string(share) + " tried, " + Seconds(checks_.Seconds()) + " (F5 cancels)");
    } else if (r->proved) {
        switch (r->proof.result) {
            case OneBombProof::Result::Impossible:
                add("one bomb proved not enough (" + Seconds(r->proof.seconds) + ")");
                break;
            case OneBombProof::Result::Solved:
                add("one bomb does it: " + std::to_string(r->proof.solution.x) + "," + std::to_string(r->proof.solution.y) +
                    " fuse " + std::to_string(r->proof.solution.fuse));
                break;
            case OneBombProof::Result::Stopped:
                add("one bomb: not proved (cancelled)");
                break;
            default:
                break;
        }
    } else if (!r->checking && r->report.solutions.size() > 0 && r->report.solutions.front().bombs.size() > 1) {
        add("one bomb: not proved (cancelled)");
    }
    return text;
}

const SolveResult* LevelSolves::ResultFor(const std::vector<LevelRecord>& records) const {
    for (const SolveResult& r : results_)
        if (Same(r.records, records)) return &r;
    return nullptr;
}

}  // namespace design
