#include "solve/forgiveness.h"

#include <algorithm>
#include <memory>
#include <numeric>

#include "solve/level_run.h"

int Forgiveness::Least() const { return perBomb.empty() ? 0 : *std::min_element(perBomb.begin(), perBomb.end()); }

int Forgiveness::Total() const { return std::accumulate(perBomb.begin(), perBomb.end(), 0); }

namespace {

bool Completes(LevelRun& run, const LevelRecord* records, const std::vector<BombPlacement>& bombs, int frameLimit) {
    run.Restart(records, bombs);
    while (run.Next())
        if (run.Frame() >= frameLimit) return false;
    return run.Complete();
}

}  // namespace

Forgiveness MeasureForgiveness(const LevelRecord* records, const std::vector<BombPlacement>& bombs, int frameLimit,
                               int workers, const StopSignal& stop) {
    Forgiveness f;
    f.perBomb.assign(bombs.size(), 0);
    const int jobs = static_cast<int>(bombs.size()) * kForgivenessPlacements;
    workers = std::max(1, workers);
    std::vector<std::unique_ptr<LevelRun>> runs;
    for (int w = 0; w < workers; ++w) runs.push_back(std::make_unique<LevelRun>(records, std::vector<BombPlacement>{}));
    std::vector<std::vector<BombPlacement>> moved(static_cast<size_t>(workers), bombs);
    auto work = [&](int worker, int job) {
        const int bomb = job / kForgivenessPlacements, at = job % kForgivenessPlacements;
        const int side = 2 * kForgivenessReach + 1;
        std::vector<BombPlacement>& placed = moved[static_cast<size_t>(worker)];
        placed = bombs;
        BombPlacement& b = placed[static_cast<size_t>(bomb)];
        b.x = static_cast<int16_t>(b.x + at % side - kForgivenessReach);
        b.y = static_cast<int16_t>(b.y + at / side - kForgivenessReach);
        JobResult r;
        r.complete = Completes(*runs[static_cast<size_t>(worker)], records, placed, frameLimit) ? 1 : 0;
        return r;
    };
    RunJobs(jobs, workers, stop, work, [&](const JobResult& r) {
        if (r.complete) f.perBomb[static_cast<size_t>(r.job / kForgivenessPlacements)] += 1;
    });
    return f;
}
