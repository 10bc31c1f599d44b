#include "edition/run_watch.h"

#include <algorithm>

#include "sim/play_field.h"
#include "edition/fixed_bombs.h"
#include "sim/world.h"

namespace edition {

namespace {

bool IsHamster(cObject* o) { return o->Kind() == KIND_HAMSTER || o->Kind() == KIND_HAMSTER_FAST; }

template <class Each>
void ForHamsters(const World& w, Each each) {
    int index = 0;
    for (cObject* o : w.ObjectList)
        if (IsHamster(o)) each(index++, static_cast<const cPlayer&>(*o));
}

bool Home(const World& w, const cPlayer& h) { return h.Id < 32 && (w.ExitMask >> h.Id & 1u) != 0; }

// A fuse still burning on the field: the player's placed bombs and the fixed ones.
bool BombPending(const World& w) {
    for (size_t k = 0; k < w.BombList.size(); ++k)
        if (w.BombPlaced[k] && w.BombList[k]->Count > 0) return true;
    bool pending = false;
    ForFixedBombs(w, [&](const cFixedBomb& fixed) { pending = pending || fixed.Count > 0; });
    return pending;
}

}  // namespace

void RunWatch::LevelStarted(const World& w) {
    int left = 0, top = 0, right = kScreenWidth, bottom = kScreenHeight;
    for (cObject* o : w.ObjectList) {
        const int kind = o->Kind();
        if (kind != KIND_BLOCK && kind != KIND_BRICK && kind != KIND_EXIT) continue;
        const Box b = o->WorldBox();
        left = std::min<int>(left, b.x);
        top = std::min<int>(top, b.y);
        right = std::max(right, b.x + b.w);
        bottom = std::max(bottom, b.y + b.h);
    }
    reach_ = {static_cast<short>(left), static_cast<short>(top), static_cast<short>(right - left),
              static_cast<short>(bottom - top)};
    running_ = false;
    frames_ = 0;
    lost_ = false;
}

void RunWatch::AfterStep(const World& w) {
    if (w.EditMode) {
        running_ = false;
        frames_ = 0;
        lost_ = false;
        return;
    }
    if (!running_) {
        running_ = true;
        frames_ = 0;
        lastX_.clear();
        lastY_.clear();
        still_.clear();
        ForHamsters(w, [&](int, const cPlayer& h) {
            lastX_.push_back(h.x.Whole());
            lastY_.push_back(h.y.Whole());
            still_.push_back(0);
        });
    } else {
        ++frames_;
    }
    bool allAway = true, allStill = true, allHome = true;
    ForHamsters(w, [&](int i, const cPlayer& h) {
        const size_t k = static_cast<size_t>(i);
        if (k >= still_.size()) return;
        const int x = h.x.Whole(), y = h.y.Whole();
        still_[k] = x == lastX_[k] && y == lastY_[k] ? still_[k] + 1 : 0;
        lastX_[k] = x;
        lastY_[k] = y;
        const bool home = Home(w, h);
        allHome = allHome && home;
        allStill = allStill && still_[k] >= kRestFrames;
        // Gone below, or off a side, beyond everything that could stop it,
        // and still going that way: nothing brings it back. Above, it falls back.
        const Box b = h.WorldBox();
        const bool below = b.y >= reach_.y + reach_.h && h.Velocity.y.raw >= 0;
        const bool leftSide = b.x + b.w <= reach_.x && h.Velocity.x.raw <= 0;
        const bool rightSide = b.x >= reach_.x + reach_.w && h.Velocity.x.raw >= 0;
        allAway = allAway && (home || below || leftSide || rightSide);
    });
    const bool any = !still_.empty();
    lost_ = any && !allHome && (allAway || (allStill && !BombPending(w)));
}

}  // namespace edition
