#include "solve/attempt.h"

#include <algorithm>

#include "sim/fuse.h"
#include "sim/level_record.h"
#include "sim/play_field.h"
#include "sim/world.h"
#include "solve/nav_field.h"

namespace {

constexpr int kStillFrames = 40;  // a hamster this long in one place has come to rest

bool IsBombKind(int kind) { return kind == KIND_BOMB || kind == KIND_BLAST || kind == KIND_FUSE_LIT; }
bool IsHamsterKind(int kind) { return kind == KIND_HAMSTER || kind == KIND_HAMSTER_FAST; }

uint64_t Mix(uint64_t h, uint64_t v) {
    h ^= v + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
    return h * 0xff51afd7ed558ccdull;
}

// What decides the rest of the run apart from the bombs still to come.
uint64_t WorldHash(const World& w) {
    uint64_t h = 0;
    for (cObject* o : w.ObjectList) {
        const int kind = o->Kind();
        if (IsBombKind(kind)) continue;
        h = Mix(h, static_cast<uint32_t>(o->x.raw));
        h = Mix(h, static_cast<uint32_t>(o->y.raw));
        if (!IsHamsterKind(kind)) continue;
        const cPlayer& p = *static_cast<const cPlayer*>(o);
        h = Mix(h, static_cast<uint32_t>(p.Velocity.x.raw));
        h = Mix(h, static_cast<uint32_t>(p.Velocity.y.raw));
        h = Mix(h, (p.Resting ? 1u : 0u) | (p.SoftLanding ? 2u : 0u) | (p.Fast ? 4u : 0u));
        h = Mix(h, static_cast<uint32_t>(p.ExitTime));
    }
    return h;
}

uint32_t AllHamsters(int count) { return count >= 32 ? 0xFFFFFFFFu : (1u << count) - 1; }

}  // namespace

AttemptRunner::AttemptRunner(const LevelRecord* records, int frameLimit)
    : records_(records), frameLimit_(frameLimit) {
    placeable_ = PlaceableBombs(records);
    for (const LevelRecord* r = records; static_cast<uint16_t>(r->type) != REC_END; ++r) {
        if (static_cast<uint16_t>(r->type) == REC_FIXED_BOMB)
            lastFixedBlast_ = std::max(lastFixedBlast_, FixedBombFuse(r->param));
    }
    // The level as built tells where everything is and in which order it steps.
    run_ = std::make_unique<LevelRun>(records, std::vector<BombPlacement>{});
    const World& world = run_->GetWorld();
    const std::vector<cObject*>& ObjectList = world.ObjectList;
    std::vector<Box> solids, exits;
    std::vector<int> hamsterIndex;
    Box hamsterBox{-12, -12, 24, 24};
    reachBottom_ = -(1 << 20);
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        cObject* o = ObjectList[i];
        const int kind = o->Kind();
        if (kind == KIND_BLOCK || kind == KIND_BRICK) {
            const Box b = o->WorldBox();
            reachBottom_ = std::max(reachBottom_, b.y + b.h);
            if (kind == KIND_BLOCK) solids.push_back(b);
        } else if (kind == KIND_EXIT) {
            // A hamster falling through a deep exit still counts in it.
            const Box b = o->WorldBox();
            reachBottom_ = std::max(reachBottom_, b.y + b.h);
            exits.push_back(b);
        } else if (IsHamsterKind(kind)) {
            hamsterIndex.push_back(static_cast<int>(i));
            hamsterBox = o->box;
        }
    }
    hamsterCount_ = static_cast<int>(hamsterIndex.size());
    for (int k = 0; k < placeable_; ++k) {
        const auto at = std::find(ObjectList.begin(), ObjectList.end(), static_cast<cObject*>(world.BombList[k]));
        const int bombIndex = static_cast<int>(at - ObjectList.begin());
        std::vector<bool> after;
        for (int h : hamsterIndex) after.push_back(bombIndex > h);
        bombAfterHamster_.push_back(after);
    }
    nav_ = std::make_unique<NavField>(solids, exits, hamsterBox);
}

AttemptRunner::~AttemptRunner() = default;

int AttemptRunner::BlastFrame(int slot, int fuse, int hamster) const {
    return LimitedFuse(fuse) - 1 + (bombAfterHamster_[slot][hamster] ? 1 : 0);
}

int AttemptRunner::LastBlast(const std::vector<BombPlacement>& bombs) const {
    int last = lastFixedBlast_;
    for (const BombPlacement& b : bombs) last = std::max(last, LimitedFuse(b.fuse));
    return last;
}

AttemptWatch AttemptRunner::StartWatch() const {
    const std::vector<cPlayer*>& hamsters = run_->Hamsters();
    const size_t n = hamsters.size();
    AttemptWatch w{std::vector<int32_t>(n), std::vector<int32_t>(n), std::vector<int32_t>(n), std::vector<int>(n, 0),
                   std::vector<int>(n, 0)};
    for (size_t i = 0; i < n; ++i) {
        w.lastX[i] = hamsters[i]->x.Whole();
        w.lastY[i] = hamsters[i]->y.Whole();
        w.lastExit[i] = hamsters[i]->ExitTime;
    }
    return w;
}

namespace {
// Notes which hamsters moved or changed their exit count in this frame.
void Observe(AttemptWatch& w, int frame, const std::vector<cPlayer*>& hamsters, uint32_t exitMask) {
    for (size_t i = 0; i < hamsters.size(); ++i) {
        const cPlayer& h = *hamsters[i];
        if (h.x.Whole() != w.lastX[i] || h.y.Whole() != w.lastY[i]) {
            w.lastX[i] = h.x.Whole();
            w.lastY[i] = h.y.Whole();
            w.movedAt[i] = frame;
        }
        if (h.ExitTime != w.lastExit[i] || (h.Id < 32 && (exitMask >> h.Id & 1u))) {
            w.lastExit[i] = h.ExitTime;
            w.exitChangedAt[i] = frame;
        }
    }
}

void Record(Trajectory* trajectory, const LevelRun& run) {
    if (!trajectory) return;
    const std::vector<cPlayer*>& hamsters = run.Hamsters();
    trajectory->worldHash.push_back(WorldHash(run.GetWorld()));
    for (const cPlayer* h : hamsters)
        trajectory->hamsters.push_back({h->x.raw, h->y.raw, h->Velocity.x.raw, h->Velocity.y.raw, h->Resting});
}
}  // namespace

AttemptOutcome AttemptRunner::Run(const std::vector<BombPlacement>& bombs, Trajectory* trajectory) const {
    run_->Restart(records_, bombs);
    if (trajectory) *trajectory = Trajectory{static_cast<int>(run_->Hamsters().size()), {}, {}, false};
    AttemptWatch watch = StartWatch();
    return Play(bombs, watch, trajectory);
}

AttemptOutcome AttemptRunner::Confirm(const std::vector<BombPlacement>& bombs) const {
    run_->Restart(records_, bombs);
    AttemptWatch watch = StartWatch();
    return Play(bombs, watch, nullptr, false);
}

Checkpoints AttemptRunner::Prepare(const std::vector<BombPlacement>& bombs, std::span<const int> fuses) const {
    Checkpoints c;
    c.bombs = bombs;
    std::vector<int> wanted;
    for (int f : fuses) {
        const int frame = ResumeFrame(f);
        if (frame <= frameLimit_) wanted.push_back(frame);
    }
    std::sort(wanted.begin(), wanted.end());
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
    if (wanted.empty()) return c;

    run_->Restart(records_, bombs);
    const std::vector<cPlayer*>& hamsters = run_->Hamsters();
    c.path = Trajectory{static_cast<int>(hamsters.size()), {}, {}, false};
    AttemptWatch watch = StartWatch();
    size_t next = 0;
    while (next < wanted.size()) {
        const bool goOn = run_->Next();
        const int frame = run_->Frame();
        Record(&c.path, *run_);
        if (frame >= 1) Observe(watch, frame, hamsters, run_->GetWorld().ExitMask);
        if (frame == wanted[next]) {
            c.frames.emplace(frame, Checkpoints::Resume{run_->Save(), watch});
            ++next;
        }
        if (!goOn || Stopped(frame)) break;  // complete without the next bomb: nothing to extend from here
    }
    return c;
}

AttemptOutcome AttemptRunner::Extend(const Checkpoints& base, const BombPlacement& next, Trajectory* trajectory) const {
    // Scratch kept by the runner: an attempt allocates nothing it would free again.
    std::vector<BombPlacement>& bombs = scratch_.bombs;
    bombs.assign(base.bombs.begin(), base.bombs.end());
    bombs.push_back(next);
    const int from = ResumeFrame(next.fuse);
    const auto at = base.frames.find(from);
    if (at == base.frames.end() || !run_->Restore(at->second.run) || !run_->PlaceLate(next.slot, next))
        return Run(bombs, trajectory);
    if (trajectory) {
        const int n = base.path.hamsterCount;
        *trajectory = Trajectory{n, {}, {}, false};
        trajectory->worldHash.assign(base.path.worldHash.begin(), base.path.worldHash.begin() + from + 1);
        trajectory->hamsters.assign(base.path.hamsters.begin(), base.path.hamsters.begin() + (from + 1) * n);
    }
    AttemptWatch& watch = scratch_.watch;
    watch = at->second.watch;
    return Play(bombs, watch, trajectory);
}

AttemptOutcome AttemptRunner::Play(const std::vector<BombPlacement>& bombs, AttemptWatch& w, Trajectory* trajectory,
                                   bool stoppable) const {
    const std::vector<cPlayer*>& hamsters = run_->Hamsters();
    const int n = static_cast<int>(hamsters.size());
    const int quietFrom = LastBlast(bombs) + 1;  // no blast can move anything from here on
    // A hamster below every solid and exit falls for ever. When the path is recorded
    // for a next bomb, it goes on while a bomb on the screen can still reach it.
    const int lostBelow = trajectory ? std::max(reachBottom_, kScreenHeight + 80) : reachBottom_;
    std::vector<int32_t>& nearest = scratch_.nearest;
    nearest.assign(static_cast<size_t>(n), NavField::kFar);

    AttemptOutcome outcome;
    outcome.frame = std::max(run_->Frame(), 0);
    const uint32_t all = AllHamsters(n);
    for (;;) {
        const bool goOn = run_->Next();
        const int frame = run_->Frame();
        Record(trajectory, *run_);
        if (frame == 0) {
            if (frameLimit_ <= 0) break;  // the toggle frame steps nothing: the world as placed
            continue;
        }
        Observe(w, frame, hamsters, run_->GetWorld().ExitMask);
        bool allStill = true, someoneLost = false, someoneAway = false;
        for (int i = 0; i < n; ++i) {
            const cPlayer& h = *hamsters[i];
            if (frame >= quietFrom - 1) nearest[i] = std::min(nearest[i], nav_->Distance(h.x.Whole(), h.y.Whole()));
            allStill = allStill && frame - w.movedAt[i] >= kStillFrames;
            someoneAway = someoneAway || frame - w.exitChangedAt[i] >= kStillFrames;
            someoneLost = someoneLost || (h.y.Whole() + h.box.y > lostBelow && h.Velocity.y.raw >= 0);
        }
        outcome.frame = frame;
        if (!goOn) {
            outcome.complete = run_->Complete();
            break;
        }
        if (frame >= frameLimit_ || (stoppable && Stopped(frame))) break;
        if (frame >= quietFrom && (someoneLost || (allStill && someoneAway && run_->GetWorld().ExitMask != all))) {
            if (trajectory) trajectory->settled = allStill && !someoneLost;
            break;
        }
    }
    int32_t score = 0;
    for (int i = 0; i < n; ++i) {
        const cPlayer& h = *hamsters[i];
        score += nearest[i] + nav_->Distance(h.x.Whole(), h.y.Whole()) / 4;
    }
    outcome.score = outcome.complete ? 0 : std::max(score, 1);
    return outcome;
}
