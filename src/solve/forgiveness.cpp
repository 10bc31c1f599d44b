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
                               int workers, const StopSignal& stop, size_t from, int reach) {
    Forgiveness f;
    f.reach = std::clamp(reach, 0, kForgivenessReach);
    from = std::min(from, bombs.size());
    const size_t measured = bombs.size() - from;
    f.perBomb.assign(measured, 0);
    f.where.assign(measured, 0);
    const int placements = f.Placements();
    const int jobs = static_cast<int>(measured) * placements;
    workers = std::max(1, workers);
    std::vector<std::unique_ptr<LevelRun>> runs;
    for (int w = 0; w < workers; ++w) runs.push_back(std::make_unique<LevelRun>(records, std::vector<BombPlacement>{}));
    std::vector<std::vector<BombPlacement>> moved(static_cast<size_t>(workers), bombs);
    auto work = [&](int worker, int job) {
        const int bomb = job / placements, at = job % placements;
        std::vector<BombPlacement>& placed = moved[static_cast<size_t>(worker)];
        placed = bombs;
        BombPlacement& b = placed[from + static_cast<size_t>(bomb)];
        b.x = static_cast<int16_t>(b.x + f.Dx(at));
        b.y = static_cast<int16_t>(b.y + f.Dy(at));
        JobResult r;
        r.complete = Completes(*runs[static_cast<size_t>(worker)], records, placed, frameLimit) ? 1 : 0;
        return r;
    };
    RunJobs(jobs, workers, stop, work, [&](const JobResult& r) {
        if (!r.complete) return;
        const size_t bomb = static_cast<size_t>(r.job / placements);
        f.perBomb[bomb] += 1;
        f.where[bomb] |= uint64_t{1} << (r.job % placements);
    });
    return f;
}
