#include "solve/one_bomb_proof.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>

#include "sim/fuse.h"
#include "sim/play_field.h"
#include "sim/step.h"
#include "sim/world.h"
#include "solve/attempt.h"
#include "solve/bomb_options.h"
#include "solve/level_run.h"

namespace {

// The frames a bomb placed late still has to burn: Extend's checkpoint.
constexpr int kLateFrames = 3;

// The first pixel of a row the mouse reaches, or -1; the reach is a rectangle.
int RowStart(int y) {
    for (int x = 0; x < kScreenWidth; ++x)
        if (InMouseReach(x, y)) return x;
    return -1;
}

long RowPositions(int y) {
    long n = 0;
    for (int x = 0; x < kScreenWidth; ++x) n += InMouseReach(x, y) ? 1 : 0;
    return n;
}

int FuseIndex(int fuse) {
    const auto at = std::find(kSettableFuses.begin(), kSettableFuses.end(), fuse);
    return at == kSettableFuses.end() ? -1 : static_cast<int>(at - kSettableFuses.begin());
}

}  // namespace

// A hamster as it comes to the bomb in the pass of the frame it meets the
// blast in: the simulation's own collision, handed a world whose one object
// is the blast, says whether the blast from there pushes it.
class OneBombScreen::Probe {
public:
    Probe(const cPlayer& hamster, bool resting) : hamster_(hamster) {
        // Collide takes its rest or flight path by what the hamster was
        // when its pass began; the pass so far may have cleared it.
        hamster_.Resting = resting;
        // Only the push sets it, and it changes nothing but a picture: a
        // copy with it clear tells whether the push happened.
        hamster_.Blasted = false;
    }

    bool Pushed(World& scene) const {
        cPlayer p = hamster_;
        p.Collide(scene);
        return p.Blasted;
    }

private:
    cPlayer hamster_;
};

OneBombScreen::Scene::Scene() : world_(std::make_unique<World>()), blast_(std::make_unique<cBomb>()) {
    cBomb& b = *blast_;
    b.HomeX = b.HomeY = 0;
    b.Fuse = 3;
    b.Reset();
    b.Step(*world_);  // its own fuse burnt down to the blast
    b.Step(*world_);
    world_->EditMode = false;
    world_->ObjectList = {&b};
}

void OneBombScreen::Scene::MoveTo(int x, int y) {
    blast_->x = Fixed::FromInt(x);
    blast_->y = Fixed::FromInt(y);
}

OneBombScreen::OneBombScreen(const LevelRecord* records, const Checkpoints& saved)
    : repeats_(kSettableFuses.size(), -1), probes_(kSettableFuses.size()) {
    // Where the first inventory bomb and the hamsters stand in the list.
    const LevelRun layout(records, {});
    const World& built = layout.GetWorld();
    if (built.BombList.empty()) return;
    std::size_t bombAt = 0;
    std::vector<std::size_t> hamsters;
    for (std::size_t i = 0; i < built.ObjectList.size(); ++i) {
        cObject* o = built.ObjectList[i];
        if (o == static_cast<cObject*>(built.BombList.front())) bombAt = i;
        if (o->Kind() == KIND_HAMSTER || o->Kind() == KIND_HAMSTER_FAST) hamsters.push_back(i);
    }
    std::map<std::vector<int32_t>, int> firstWith;  // a state three frames before a blast: its earliest fuse
    for (std::size_t f = 0; f < kSettableFuses.size(); ++f) {
        const int fuse = kSettableFuses[f];
        const auto at = saved.frames.find(fuse - kLateFrames);
        if (at == saved.frames.end()) continue;  // past the run's frames
        const auto [earlier, isNew] = firstWith.emplace(at->second.run.world.PlayKey(), fuse);
        repeats_[f] = earlier->second;
        if (!isNew) continue;
        for (const std::size_t h : hamsters) {
            // A hamster after the bomb in the list meets the blast in the
            // frame the bomb counts down to it, one before it a frame later.
            World w = at->second.run.world;
            const int frames = h > bombAt ? kLateFrames - 2 : kLateFrames - 1;
            for (int i = 0; i < frames; ++i) Step(w, PlayerCommands{});
            StepMotionBefore(w, h);
            const bool resting = static_cast<const cPlayer*>(w.ObjectList[h])->Resting;
            CollideBefore(w, h, bombAt);
            probes_[f].emplace_back(*static_cast<const cPlayer*>(w.ObjectList[h]), resting);
        }
    }
}

OneBombScreen::~OneBombScreen() = default;

int OneBombScreen::Repeats(int fuse) const {
    const int f = FuseIndex(fuse);
    return f < 0 ? -1 : repeats_[static_cast<std::size_t>(f)];
}

bool OneBombScreen::Reaches(int fuse, int x, int y, Scene& scene) const {
    const int f = FuseIndex(fuse);
    if (f < 0) return true;  // not a fuse the screen knows: no claim
    scene.MoveTo(x, y);
    for (const Probe& p : probes_[static_cast<std::size_t>(f)])
        if (p.Pushed(scene.Where())) return true;
    return false;
}

long MouseReachPositions() {
    long n = 0;
    for (int y = 0; y < kScreenHeight; ++y) n += RowPositions(y);
    return n;
}

OneBombProof ProveOneBomb(const LevelRecord* records, const OneBombSettings& settings) {
    const auto start = std::chrono::steady_clock::now();
    OneBombProof proof;
    auto finish = [&](OneBombProof::Result result) {
        proof.result = result;
        proof.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return proof;
    };
    std::vector<int> rows;  // the rows the mouse reaches, top first
    for (int y = 0; y < kScreenHeight; ++y)
        if (RowStart(y) >= 0) rows.push_back(y);
    const long positions = MouseReachPositions();
    proof.total = positions * static_cast<long>(kSettableFuses.size());

    const int workers = std::max(1, settings.workers);
    std::vector<std::unique_ptr<AttemptRunner>> runners;
    for (int w = 0; w < workers; ++w) {
        runners.push_back(std::make_unique<AttemptRunner>(records, settings.frames));
        runners.back()->StopWith(&settings.stop);
    }
    AttemptRunner& base = *runners.front();
    if (base.Placeable() == 0) return finish(OneBombProof::Result::NoBomb);
    const AttemptOutcome none = base.Run({});
    if (none.complete) {
        proof.completeFrame = none.frame;
        return finish(OneBombProof::Result::NoneNeeded);
    }
    const Checkpoints saved = base.Prepare({}, kSettableFuses);
    if (settings.stop.Stopped()) return finish(OneBombProof::Result::Stopped);
    const OneBombScreen screen(records, saved);

    // A fuse repeated by an earlier one, or blasting past the frames, is
    // decided with it: once the earlier one fails everywhere, so does it.
    std::vector<int> searched;
    for (const int fuse : kSettableFuses) {
        if (screen.Repeats(fuse) == fuse)
            searched.push_back(fuse);
        else
            proof.decided += positions;
    }
    proof.fuses = static_cast<int>(searched.size());
    if (settings.progress) settings.progress(proof.decided, proof.total);

    std::vector<std::unique_ptr<OneBombScreen::Scene>> scenes;
    for (int w = 0; w < workers; ++w) scenes.push_back(std::make_unique<OneBombScreen::Scene>());
    const long rowCount = static_cast<long>(rows.size());
    const long jobs = static_cast<long>(searched.size()) * rowCount;
    std::atomic<long> firstSolved{jobs};  // the earliest job with a solution so far
    std::atomic<long> played{0};

    // A job is one row of positions with one fuse; the row's first position
    // that completes the level, if any, comes back as its score.
    auto work = [&](int worker, int job) {
        JobResult r;
        if (job > firstSolved.load(std::memory_order_relaxed)) return r;  // a solution comes earlier
        const int fuse = searched[static_cast<std::size_t>(job / rowCount)];
        const int y = rows[static_cast<std::size_t>(job % rowCount)];
        OneBombScreen::Scene& scene = *scenes[static_cast<std::size_t>(worker)];
        AttemptRunner& runner = *runners[static_cast<std::size_t>(worker)];
        for (int x = RowStart(y); x < kScreenWidth && InMouseReach(x, y); ++x) {
            if (!screen.Reaches(fuse, x, y, scene)) continue;
            played.fetch_add(1, std::memory_order_relaxed);
            const AttemptOutcome o = runner.Extend(saved, {0, static_cast<int16_t>(x), static_cast<int16_t>(y), fuse});
            if (!o.complete) continue;
            r.complete = 1;
            r.frame = o.frame;
            r.score = x;
            long earliest = firstSolved.load();
            while (job < earliest && !firstSolved.compare_exchange_weak(earliest, job)) {
            }
            break;
        }
        return r;
    };
    long bestJob = -1;
    JobResult best;
    auto take = [&](const JobResult& r) {
        if (r.complete && (bestJob < 0 || r.job < bestJob)) {
            bestJob = r.job;
            best = r;
        }
        proof.decided += RowPositions(rows[static_cast<std::size_t>(r.job % rowCount)]);
        if (settings.progress) settings.progress(proof.decided, proof.total);
    };
    const long ran = RunJobs(static_cast<int>(jobs), workers, settings.stop, work, take, settings.lowPriority);
    proof.played = played.load();
    if (bestJob >= 0) {
        const int y = rows[static_cast<std::size_t>(bestJob % rowCount)];
        proof.solution = {0, static_cast<int16_t>(best.score), static_cast<int16_t>(y),
                          searched[static_cast<std::size_t>(bestJob / rowCount)]};
        proof.completeFrame = best.frame;
        return finish(OneBombProof::Result::Solved);
    }
    if (ran < jobs || settings.stop.Stopped()) return finish(OneBombProof::Result::Stopped);
    return finish(OneBombProof::Result::Impossible);
}

std::string OneBombLine(const OneBombProof& p) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f s", p.seconds);
    switch (p.result) {
        case OneBombProof::Result::NoBomb:
            return "one bomb: the level has no inventory bomb";
        case OneBombProof::Result::NoneNeeded:
            return "one bomb: none is needed, the level completes by itself at frame " + std::to_string(p.completeFrame);
        case OneBombProof::Result::Solved:
            return "one bomb solves it: " + FormatBombOptions({p.solution}) + " complete frame=" +
                   std::to_string(p.completeFrame) + " (found after " + seconds + ")";
        case OneBombProof::Result::Impossible:
            return "one bomb cannot solve it: proved for all " + std::to_string(p.total) + " placements (" +
                   std::to_string(MouseReachPositions()) + " positions the mouse reaches x " +
                   std::to_string(kSettableFuses.size()) + " fuses) in " + seconds + ": " + std::to_string(p.played) +
                   " runs played, " + std::to_string(p.fuses) +
                   " fuses searched (the others repeat one of them), the rest reach no hamster";
        case OneBombProof::Result::Stopped:
            break;
    }
    return "one bomb: stopped after " + std::string(seconds) + " with " + std::to_string(p.decided) + " of " +
           std::to_string(p.total) + " placements decided, none of them a solution";
}
