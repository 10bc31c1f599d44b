#include "sim/attempt.h"

#include <algorithm>

#include "levels/level_record.h"
#include "levels/world.h"
#include "objects/bomb.h"
#include "objects/player.h"
#include "objects/frame_globals.h"
#include "objects/play_field.h"
#include "sim/level_run.h"
#include "sim/nav_field.h"

namespace {

constexpr int kStillFrames = 40;  // a hamster this long in one place has come to rest

bool IsBombKind(int kind) { return kind == KIND_BOMB || kind == KIND_BLAST || kind == KIND_FUSE_LIT; }
bool IsHamsterKind(int kind) { return kind == KIND_HAMSTER || kind == KIND_HAMSTER_FAST; }

uint64_t Mix(uint64_t h, uint64_t v) {
    h ^= v + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
    return h * 0xff51afd7ed558ccdull;
}

// What decides the rest of the run apart from the bombs still to come.
uint64_t WorldHash() {
    uint64_t h = 0;
    for (cObject* o : ObjectList) {
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

int LimitedFuse(int v) {
    if (v > 599) v = 585;
    if (v <= 0) v = 6;
    return v;
}

AttemptRunner::AttemptRunner(const LevelRecord* records, int frameLimit)
    : records_(records), frameLimit_(frameLimit) {
    placeable_ = PlaceableBombs(records);
    for (const LevelRecord* r = records; static_cast<uint16_t>(r->type) != REC_END; ++r) {
        if (static_cast<uint16_t>(r->type) == REC_FIXED_BOMB)
            lastFixedBlast_ = std::max(lastFixedBlast_, cFixedBomb::FuseFromParam(r->param));
    }
    // The level as built tells where everything is and in which order it steps.
    LevelRun run(records, {});
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
        const auto at = std::find(ObjectList.begin(), ObjectList.end(), static_cast<cObject*>(BombList[k]));
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

AttemptOutcome AttemptRunner::Run(const std::vector<BombPlacement>& bombs, Trajectory* trajectory) const {
    LevelRun run(records_, bombs);
    const std::vector<cPlayer*>& hamsters = run.Hamsters();
    const int n = static_cast<int>(hamsters.size());
    const int quietFrom = LastBlast(bombs) + 1;  // no blast can move anything from here on
    // A hamster below every solid and exit falls for ever. When the path is recorded
    // for a next bomb, it goes on while a bomb on the screen can still reach it.
    const int lostBelow = trajectory ? std::max(reachBottom_, kScreenHeight + 80) : reachBottom_;

    std::vector<int32_t> lastX(n), lastY(n), lastExit(n);
    std::vector<int> movedAt(n, 0), exitChangedAt(n, 0);
    std::vector<int32_t> nearest(n, NavField::kFar);
    for (int i = 0; i < n; ++i) {
        lastX[i] = hamsters[i]->x.Whole();
        lastY[i] = hamsters[i]->y.Whole();
        lastExit[i] = hamsters[i]->ExitTime;
    }
    auto record = [&]() {
        if (!trajectory) return;
        trajectory->worldHash.push_back(WorldHash());
        for (const cPlayer* h : hamsters)
            trajectory->hamsters.push_back({h->x.raw, h->y.raw, h->Velocity.x.raw, h->Velocity.y.raw, h->Resting});
    };
    if (trajectory) *trajectory = Trajectory{n, {}, {}, false};

    AttemptOutcome outcome;
    const uint32_t all = AllHamsters(n);
    for (;;) {
        const bool goOn = run.Next();
        const int frame = run.Frame();
        if (frame == 0) {
            record();  // the toggle frame steps nothing: the world as placed
            if (frameLimit_ <= 0) break;
            continue;
        }
        record();
        bool allStill = true, someoneLost = false, someoneAway = false;
        for (int i = 0; i < n; ++i) {
            const cPlayer& h = *hamsters[i];
            if (frame >= quietFrom - 1) nearest[i] = std::min(nearest[i], nav_->Distance(h.x.Whole(), h.y.Whole()));
            if (h.x.Whole() != lastX[i] || h.y.Whole() != lastY[i]) {
                lastX[i] = h.x.Whole();
                lastY[i] = h.y.Whole();
                movedAt[i] = frame;
            }
            if (h.ExitTime != lastExit[i] || (h.Id < 32 && (ExitMask >> h.Id & 1u))) {
                lastExit[i] = h.ExitTime;
                exitChangedAt[i] = frame;
            }
            allStill = allStill && frame - movedAt[i] >= kStillFrames;
            someoneAway = someoneAway || frame - exitChangedAt[i] >= kStillFrames;
            someoneLost = someoneLost || (h.y.Whole() + h.box.y > lostBelow && h.Velocity.y.raw >= 0);
        }
        outcome.frame = frame;
        if (!goOn) {
            outcome.complete = run.Complete();
            break;
        }
        if (frame >= frameLimit_) break;
        if (frame >= quietFrom && (someoneLost || (allStill && someoneAway && ExitMask != all))) {
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
