#include "solve/random_share.h"

#include <algorithm>
#include <memory>

#include "sim/fuse.h"
#include "sim/play_field.h"
#include "sim/player.h"
#include "sim/world.h"
#include "solve/attempt.h"
#include "solve/level_run.h"

namespace {

constexpr int kReach = 80;  // a blast moves a hamster within this many pixels

// SplitMix64: a whole 64-bit state, additions and multiplications only.
class Draws {
public:
    explicit Draws(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, n), n > 0: draws beyond the last whole multiple of n
    // are drawn again, so no value is likelier than another.
    uint64_t Below(uint64_t n) {
        const uint64_t limit = UINT64_MAX - UINT64_MAX % n;
        for (;;) {
            const uint64_t v = Next();
            if (v < limit) return v % n;
        }
    }

private:
    uint64_t state_;
};

}  // namespace

std::vector<BombPlacement> FreePositionsNearHamsters(const LevelRecord* records) {
    const LevelRun built(records, {});
    const World& w = built.GetWorld();
    // Cells taken by a block or brick: one centred on 10 + 20k fills its cell,
    // one off the grid takes every cell its box touches.
    constexpr int kCols = kScreenWidth / 20, kRows = kScreenHeight / 20;
    std::vector<bool> taken(kCols * kRows, false);
    std::vector<std::pair<int, int>> hamsters;
    for (cObject* o : w.ObjectList) {
        const int kind = o->Kind();
        const Box b = o->WorldBox();
        if ((kind != KIND_BLOCK && kind != KIND_BRICK) || b.x + b.w <= 0 || b.y + b.h <= 0) continue;
        for (int cy = std::max(0, b.y / 20); cy <= std::min(kRows - 1, (b.y + b.h - 1) / 20); ++cy)
            for (int cx = std::max(0, b.x / 20); cx <= std::min(kCols - 1, (b.x + b.w - 1) / 20); ++cx)
                taken[static_cast<size_t>(cy * kCols + cx)] = true;
    }
    for (const cPlayer* h : built.Hamsters()) hamsters.push_back({h->x.Whole(), h->y.Whole()});
    std::vector<BombPlacement> out;
    for (int y = 0; y < kScreenHeight; ++y) {
        for (int x = 0; x < kScreenWidth; ++x) {
            if (!InMouseReach(x, y) || taken[static_cast<size_t>((y / 20) * kCols + x / 20)]) continue;
            bool near = false;
            for (const auto& [hx, hy] : hamsters) {
                const long dx = x - hx, dy = y - hy;
                near = near || dx * dx + dy * dy <= long{kReach} * kReach;
            }
            if (near) out.push_back({0, static_cast<int16_t>(x), static_cast<int16_t>(y), 0});
        }
    }
    return out;
}

std::vector<BombPlacement> RandomSingleBombs(const LevelRecord* records, int count, uint64_t seed) {
    const std::vector<BombPlacement> free = FreePositionsNearHamsters(records);
    std::vector<BombPlacement> out;
    if (free.empty()) return out;
    Draws draws(seed);
    for (int i = 0; i < count; ++i) {
        BombPlacement b = free[static_cast<size_t>(draws.Below(free.size()))];
        b.fuse = kSettableFuses[static_cast<size_t>(draws.Below(kSettableFuses.size()))];
        out.push_back(b);
    }
    return out;
}

RandomShare MeasureRandomShare(const LevelRecord* records, const RandomShareSettings& settings) {
    RandomShare share;
    share.positions = static_cast<long>(FreePositionsNearHamsters(records).size());
    const std::vector<BombPlacement> guesses = RandomSingleBombs(records, settings.runs, settings.seed);
    const int workers = std::max(1, settings.workers);
    std::vector<std::unique_ptr<AttemptRunner>> runners;
    for (int w = 0; w < workers; ++w) {
        runners.push_back(std::make_unique<AttemptRunner>(records, settings.frames));
        runners.back()->StopWith(&settings.stop);
    }
    std::vector<char> completed(guesses.size(), 0);
    auto work = [&](int worker, int job) {
        JobResult r;
        r.complete = runners[static_cast<size_t>(worker)]->Run({guesses[static_cast<size_t>(job)]}).complete ? 1 : 0;
        return r;
    };
    share.runs = RunJobs(static_cast<int>(guesses.size()), workers, settings.stop, work, [&](const JobResult& r) {
        completed[static_cast<size_t>(r.job)] = static_cast<char>(r.complete);
    });
    for (size_t i = 0; i < guesses.size(); ++i) {
        if (!completed[i]) continue;
        share.complete += 1;
        share.completing.push_back(guesses[i]);
    }
    return share;
}
