#include "solve/solver.h"

#include <algorithm>
#include <memory>
#include <cstdio>
#include <ostream>
#include <set>
#include <tuple>
#include <unordered_set>

#include "solve/attempt.h"
#include "solve/candidates.h"
#include "solve/forgiving_order.h"
#include "sim/fuse.h"
#include "solve/bomb_options.h"
#include "solve/worker_pool.h"

namespace {

constexpr size_t kFrontier = 12;  // partial placements carried to the next bomb
// Of a budget that also puts the solutions in order, what the search may take.
constexpr double kSearchShare = 0.75;

struct Node {
    std::vector<BombPlacement> bombs;
    Trajectory trajectory;
    std::unordered_set<uint64_t> seen;
};

struct Child {
    int node;
    BombPlacement bomb;
    int32_t score;
    int64_t order;  // among all candidates tried for this bomb; breaks ties the same way every time
};

std::string Seconds(double s) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", s);
    return text;
}

// The clock starts before anything is set up: the budget is the whole search.
SolveClock::time_point Deadline(SolveClock::time_point start, double seconds) {
    const double limit = std::min(seconds, 1e9);  // a budget beyond any wait is no budget
    return start + std::chrono::duration_cast<SolveClock::duration>(std::chrono::duration<double>(limit));
}

class Search {
public:
    Search(const LevelRecord* records, const SolveSettings& settings, std::ostream& out, SolveClock::time_point start)
        : records_(records),
          settings_(settings),
          out_(out),
          start_(start),
          whole_{Deadline(start, settings.budgetSeconds), settings.cancel},
          stop_{whole_.deadline, settings.cancel, &shareSpent_} {
        const int workers = std::max(1, settings.workers);
        for (int w = 0; w < workers && (w == 0 || !stop_.Stopped()); ++w) {
            runners_.push_back(std::make_unique<AttemptRunner>(records, settings.frames));
            runners_.back()->StopWith(&stop_);
        }
    }

    SolveReport Run();

private:
    double Elapsed() const { return std::chrono::duration<double>(SolveClock::now() - start_).count(); }
    bool TimeUp() const { return stop_.Stopped(); }
    // The runner of the calling thread, between the workers' rounds.
    const AttemptRunner& Runner() const { return *runners_.front(); }
    void Found(const std::vector<BombPlacement>& bombs, int frame, double when);
    // Runs every candidate; the ones that fall short become children.
    // firstPass: these are the first candidates tried for this number of bombs.
    bool TryAll(const std::vector<Node>& frontier, const std::vector<Candidate>& jobs, std::vector<Child>& children,
                bool firstPass);
    // The runs of the frontier's placements, saved where a next bomb starts to matter.
    void PrepareFrontier(const std::vector<Node>& frontier);
    std::vector<Node> NextFrontier(const std::vector<Node>& frontier, std::vector<Child>& children);
    // More solutions wanted with this many bombs, and the time for them.
    bool Gathering() const {
        return report_.solutionCount < settings_.gather && Elapsed() < settings_.budgetSeconds / 2;
    }
    void PutInOrder();
    void PreferSteadyHands(const std::vector<Node>& frontier, std::vector<Child>& children);

    const LevelRecord* records_;
    const SolveSettings& settings_;
    std::ostream& out_;
    SolveClock::time_point start_;
    // Raised once a search that puts its solutions in order has one, and
    // has spent its share of the budget: the rest is for the ordering.
    std::atomic<bool> shareSpent_{false};
    StopSignal whole_;  // the budget's end
    StopSignal stop_;   // the search's
    std::vector<std::unique_ptr<AttemptRunner>> runners_;  // one per worker: each plays its own world
    SolveReport report_;
    std::vector<Checkpoints> prepared_;  // per frontier node
    std::set<std::vector<std::tuple<int, int, int>>> solved_;  // each set of bombs once, whatever their order
    double firstSolution_ = -1;
    int64_t tried_ = 0;
};

void Search::Found(const std::vector<BombPlacement>& bombs, int frame, double when) {
    std::vector<std::tuple<int, int, int>> key;
    for (const BombPlacement& b : bombs) key.push_back({b.x, b.y, LimitedFuse(b.fuse)});
    std::sort(key.begin(), key.end());
    if (!solved_.insert(key).second) return;
    if (firstSolution_ < 0 || when < firstSolution_) firstSolution_ = when;
    report_.firstSeconds = firstSolution_;
    report_.solutionCount += 1;
    if (static_cast<int>(report_.solutions.size()) >= settings_.shown) return;
    report_.solutions.push_back({bombs, frame, when, {}});
    if (settings_.forgiving) return;  // the most forgiving is told once they are in order
    out_ << (bombs.empty() ? std::string("(no bombs)") : FormatBombOptions(bombs)) << " complete frame=" << frame
         << " (after " << Seconds(when) << ")\n";
    out_.flush();
}

bool Search::TryAll(const std::vector<Node>& frontier, const std::vector<Candidate>& jobs,
                    std::vector<Child>& children, bool firstPass) {
    auto work = [&](int worker, int job) {
        const Candidate& c = jobs[static_cast<size_t>(job)];
        const AttemptOutcome o = runners_[static_cast<size_t>(worker)]->Extend(prepared_[static_cast<size_t>(c.node)], c.bomb);
        JobResult r;
        r.complete = o.complete ? 1 : 0;
        r.frame = o.frame;
        r.score = o.score;
        return r;
    };
    std::vector<std::pair<JobResult, double>> complete;  // with when it came in
    auto take = [&](const JobResult& r) {
        report_.attempts += 1;
        if (settings_.forgiving && (r.complete || !complete.empty() || report_.solutionCount > 0) &&
            Elapsed() >= settings_.budgetSeconds * kSearchShare)
            shareSpent_.store(true, std::memory_order_relaxed);
        if (settings_.progress) settings_.progress(report_.attempts);
        if (r.complete)
            complete.push_back({r, Elapsed()});
        else
            children.push_back({jobs[r.job].node, jobs[r.job].bomb, r.score, tried_ + r.job});
    };
    const long ran = RunJobs(static_cast<int>(jobs.size()), static_cast<int>(runners_.size()), stop_, work, take,
                             settings_.lowPriority);
    if (ran < static_cast<long>(jobs.size())) report_.exhausted = false;
    tried_ += static_cast<int64_t>(jobs.size());
    // The workers finish in any order; the solutions are reported quickest
    // first, then in the order of the candidates, so that a search that ran
    // to its end always prints the same lines.
    std::sort(complete.begin(), complete.end(), [](const auto& a, const auto& b) {
        return a.first.frame != b.first.frame ? a.first.frame < b.first.frame : a.first.job < b.first.job;
    });
    bool solved = false;
    for (const auto& [r, when] : complete) {
        // A search that puts what it keeps in order has no use for more than
        // it keeps: a wide grid can complete thousands of times, and each
        // would be played again to be counted.
        if (settings_.forgiving && solved && static_cast<int>(report_.solutions.size()) >= settings_.shown) break;
        std::vector<BombPlacement> bombs = frontier[jobs[r.job].node].bombs;
        bombs.push_back(jobs[r.job].bomb);
        // Played once more from the start, as a player would play it: the
        // solution is confirmed, and its frame is the frame it completes in.
        const AttemptOutcome check = Runner().Confirm(bombs);
        if (!check.complete) continue;
        Found(bombs, check.frame, when);
        if (firstPass && r.job == 0) report_.solvedByFirstPlacement = true;
        solved = true;
    }
    return solved;
}

void Search::PrepareFrontier(const std::vector<Node>& frontier) {
    prepared_.clear();
    for (const Node& n : frontier) {
        if (TimeUp()) return;  // the search ends before these are used
        prepared_.push_back(Runner().Prepare(n.bombs, kSettableFuses));
    }
}

std::vector<Node> Search::NextFrontier(const std::vector<Node>& frontier, std::vector<Child>& children) {
    std::sort(children.begin(), children.end(), [](const Child& a, const Child& b) {
        return a.score != b.score ? a.score < b.score : a.order < b.order;
    });
    if (settings_.forgiving) PreferSteadyHands(frontier, children);
    std::vector<Node> next;
    std::unordered_set<uint64_t> ends;
    for (size_t i = 0; i < children.size() && next.size() < kFrontier && i < 8 * kFrontier && !TimeUp(); ++i) {
        Node n;
        n.bombs = frontier[children[i].node].bombs;
        n.bombs.push_back(children[i].bomb);
        Runner().Extend(prepared_[static_cast<size_t>(children[i].node)], children[i].bomb, &n.trajectory);
        // Different bombs often end in the same world; one of them is enough.
        if (!ends.insert(n.trajectory.worldHash.back()).second) continue;
        next.push_back(std::move(n));
    }
    return next;
}

void Search::PreferSteadyHands(const std::vector<Node>& frontier, std::vector<Child>& children) {
    // Of the best children, those whose bomb a pixel away in any of the four
    // directions still does about as well go first: their worst score of the
    // five decides. A hand cannot follow a bomb that only works at one pixel.
    constexpr int kAway[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    const size_t looked = std::min(children.size(), 4 * kFrontier);
    auto work = [&](int worker, int job) {
        const Child& c = children[static_cast<size_t>(job / 4)];
        std::vector<BombPlacement> bombs = frontier[static_cast<size_t>(c.node)].bombs;
        bombs.push_back(c.bomb);
        bombs.back().x = static_cast<int16_t>(c.bomb.x + kAway[job % 4][0]);
        bombs.back().y = static_cast<int16_t>(c.bomb.y + kAway[job % 4][1]);
        const AttemptOutcome o = runners_[static_cast<size_t>(worker)]->Run(bombs);
        JobResult r;
        r.score = o.complete ? 0 : o.score;
        return r;
    };
    RunJobs(static_cast<int>(looked) * 4, static_cast<int>(runners_.size()), stop_, work, [&](const JobResult& r) {
        Child& c = children[static_cast<size_t>(r.job / 4)];
        c.score = std::max(c.score, r.score);
    }, settings_.lowPriority);
    std::stable_sort(children.begin(), children.begin() + static_cast<long>(looked),
                     [](const Child& a, const Child& b) { return a.score < b.score; });
}

void Search::PutInOrder() {
    OrderByForgiveness(records_, report_.solutions, settings_.prefix.size(), settings_, whole_);
    if (report_.solutions.empty() || report_.solutions.front().forgiveness.perBomb.empty()) return;
    const Solution& best = report_.solutions.front();
    out_ << "most forgiving: " << FormatBombOptions(best.bombs) << " complete frame=" << best.frame << " (of "
         << kForgivenessPlacements << " placements each, these complete:";
    for (int n : best.forgiveness.perBomb) out_ << ' ' << n;
    out_ << ")\n";
}

SolveReport Search::Run() {
    const int placeable = Runner().Placeable();
    const int hamsters = Runner().HamsterCount();
    out_ << "searching: " << hamsters << " hamster" << (hamsters == 1 ? "" : "s") << ", "
         << placeable - static_cast<int>(settings_.prefix.size()) << " bomb(s) to place, budget "
         << Seconds(settings_.budgetSeconds) << ", " << runners_.size() << " worker(s)\n";
    out_.flush();
    report_.exhausted = true;

    std::vector<Node> frontier(1);
    frontier[0].bombs = settings_.prefix;
    const AttemptOutcome given = Runner().Run(frontier[0].bombs, &frontier[0].trajectory);
    report_.attempts += 1;
    if (given.complete) Found(frontier[0].bombs, given.frame, Elapsed());
    report_.solvedWithNoBomb = given.complete && settings_.prefix.empty();

    auto outOfTime = [&] {
        report_.exhausted = false;
        return "budget used up";
    };
    const std::string why = [&] {
        if (given.complete) return "the given bombs complete it";
        for (int depth = static_cast<int>(settings_.prefix.size()); depth < placeable; ++depth) {
            if (frontier.empty()) return "nothing left to extend";
            std::vector<Child> children;
            bool solved = false;
            // While more bombs remain the coarse grids are enough to pick the
            // partial placements worth extending; the last bomb gets every pixel.
            const int lastPass = depth + 1 < placeable ? 1 : kGridPasses - 1;
            PrepareFrontier(frontier);
            for (int pass = 0; pass <= lastPass; ++pass) {
                if (TimeUp()) return outOfTime();
                std::vector<Candidate> jobs;
                for (size_t n = 0; n < frontier.size(); ++n)
                    AddCandidates(Runner(), frontier[n].bombs, frontier[n].trajectory, pass, static_cast<int>(n),
                                  frontier[n].seen, jobs, settings_.inMouseReach);
                solved = TryAll(frontier, jobs, children, pass == 0) || solved;
                if (solved && !Gathering()) break;
            }
            if (solved) return "found with the fewest bombs";
            if (TimeUp()) return outOfTime();
            if (depth + 1 < placeable) frontier = NextFrontier(frontier, children);
        }
        return report_.exhausted ? "every candidate tried" : "budget used up";
    }();
    if (settings_.forgiving) PutInOrder();
    report_.seconds = Elapsed();
    out_ << "searched " << report_.attempts << (report_.attempts == 1 ? " placement" : " placements") << " in "
         << Seconds(report_.seconds) << ": ";
    if (report_.solutionCount == 0) {
        out_ << "no solution (" << why << ")\n";
    } else {
        out_ << report_.solutionCount << " solution" << (report_.solutionCount == 1 ? "" : "s") << ", the first after "
             << Seconds(firstSolution_) << " (" << why << ")\n";
    }
    out_ << TooEasyWarnings(report_);
    return report_;
}

}  // namespace

std::string TooEasyWarnings(const SolveReport& report) {
    std::string text;
    if (report.solvedWithNoBomb) text += "warning: solved with no bomb\n";
    if (report.solvedByFirstPlacement) text += "warning: solved by the first placement tried\n";
    return text;
}

SolveSettings HintSettings(double budgetSeconds, std::vector<BombPlacement> prefix) {
    constexpr int kGathered = 200;  // enough to find a forgiving one among, few enough to screen them all
    SolveSettings settings;
    settings.budgetSeconds = budgetSeconds;
    settings.prefix = std::move(prefix);
    settings.inMouseReach = true;
    settings.gather = kGathered;
    settings.shown = kGathered;
    settings.forgiving = true;
    return settings;
}

SolveReport Solve(const LevelRecord* records, const SolveSettings& settings, std::ostream& out) {
    const SolveClock::time_point start = SolveClock::now();
    Search search(records, settings, out, start);
    return search.Run();
}
