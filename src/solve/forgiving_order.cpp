#include "solve/forgiving_order.h"

#include <algorithm>
#include <cmath>

#include "solve/level_run.h"

namespace {

constexpr size_t kMeasuredInFull = 16;  // the best screened solutions, measured with every placement
constexpr size_t kNudged = 4;           // the best of those, nudged towards the middle
constexpr int kNudgeRounds = 6;
constexpr int kSlack = 120;  // frames beyond twice a solution's own

// The frame the bombs complete the level in, -1 when they do not within frameLimit.
int CompletionFrame(const LevelRecord* records, const std::vector<BombPlacement>& bombs, int frameLimit) {
    LevelRun run(records, bombs);
    while (run.Next())
        if (run.Frame() >= frameLimit) return -1;
    return run.Complete() ? run.Frame() : -1;
}

class Orderer {
public:
    Orderer(const LevelRecord* records, size_t from, const SolveSettings& settings, const StopSignal& stop)
        : records_(records), from_(from), settings_(settings), stop_(stop) {}

    // False when the stop came first: what it measured is not whole. A
    // placement a few pixels away that takes more than twice as long (and
    // two seconds more) to complete is not the same plan: it does not count,
    // and the runs that fail end that much sooner.
    bool Measure(const std::vector<BombPlacement>& bombs, int frame, int reach, Forgiveness& out) const {
        const int limit = std::min(settings_.frames, 2 * frame + kSlack);
        out = MeasureForgiveness(records_, bombs, limit, std::max(1, settings_.workers), stop_, from_, reach);
        return !stop_.Stopped();
    }

    // Moves each bomb in turn by the mean of the offsets around it that
    // complete, keeping the move when the whole is more forgiving for it.
    void Nudge(Solution& s) const {
        for (int round = 0; round < kNudgeRounds; ++round) {
            bool better = false;
            for (size_t i = 0; i < s.forgiveness.where.size(); ++i) {
                int n = 0, sumX = 0, sumY = 0;
                for (int at = 0; at < s.forgiveness.Placements(); ++at) {
                    if ((s.forgiveness.where[i] >> at & 1) == 0) continue;
                    ++n;
                    sumX += s.forgiveness.Dx(at);
                    sumY += s.forgiveness.Dy(at);
                }
                if (n == 0) continue;
                const int dx = static_cast<int>(std::lround(static_cast<double>(sumX) / n));
                const int dy = static_cast<int>(std::lround(static_cast<double>(sumY) / n));
                if (dx == 0 && dy == 0) continue;
                std::vector<BombPlacement> moved = s.bombs;
                BombPlacement& b = moved[from_ + i];
                b.x = static_cast<int16_t>(b.x + dx);
                b.y = static_cast<int16_t>(b.y + dy);
                if (settings_.inMouseReach && !InMouseReach(b.x, b.y)) continue;
                Forgiveness f;
                if (!Measure(moved, s.frame, kForgivenessReach, f)) return;
                if (!f.Completes(0, 0, 0) || !(s.forgiveness < f)) continue;
                const int frame = CompletionFrame(records_, moved, settings_.frames);
                if (frame < 0) continue;
                s.bombs = std::move(moved);
                s.forgiveness = std::move(f);
                s.frame = frame;
                better = true;
            }
            if (!better) return;
        }
    }

private:
    const LevelRecord* records_;
    size_t from_;
    const SolveSettings& settings_;
    const StopSignal& stop_;
};

}  // namespace

bool MoreForgiving(const Solution& a, const Solution& b) {
    if (b.forgiveness < a.forgiveness) return true;
    if (a.forgiveness < b.forgiveness) return false;
    if (a.bombs.size() != b.bombs.size()) return a.bombs.size() < b.bombs.size();
    return a.frame < b.frame;
}

void OrderByForgiveness(const LevelRecord* records, std::vector<Solution>& solutions, size_t from,
                        const SolveSettings& settings, const StopSignal& stop) {
    const Orderer orderer(records, from, settings, stop);
    // A first look at every solution: a pixel each way.
    std::vector<Solution> screened;
    std::vector<bool> taken(solutions.size(), false);
    for (size_t i = 0; i < solutions.size(); ++i) {
        Solution s = solutions[i];
        if (!orderer.Measure(s.bombs, s.frame, 1, s.forgiveness)) break;
        screened.push_back(std::move(s));
        taken[i] = true;
    }
    std::stable_sort(screened.begin(), screened.end(), MoreForgiving);
    // The best of them measured in full; the rest keep no measure of their
    // own, so that the full and the quick ones are never compared.
    size_t measured = 0;
    for (Solution& s : screened) {
        Forgiveness full;
        if (measured < kMeasuredInFull && orderer.Measure(s.bombs, s.frame, kForgivenessReach, full)) {
            s.forgiveness = std::move(full);
            ++measured;
        } else {
            s.forgiveness = Forgiveness{};
        }
    }
    std::stable_sort(screened.begin(), screened.begin() + static_cast<long>(measured), MoreForgiving);
    for (size_t k = 0; k < std::min(kNudged, measured); ++k) orderer.Nudge(screened[k]);
    std::stable_sort(screened.begin(), screened.begin() + static_cast<long>(measured), MoreForgiving);
    // Those the time did not reach follow, as they were found.
    for (size_t i = 0; i < solutions.size(); ++i)
        if (!taken[i]) screened.push_back(std::move(solutions[i]));
    solutions = std::move(screened);
}
