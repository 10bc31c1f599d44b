#include "edition/placement_history.h"

#include "sim/placement.h"
#include "sim/step.h"
#include "sim/world.h"

namespace edition {

namespace {
constexpr size_t kKept = 200;  // changes kept to take back
}

PlacementHistory::Bombs PlacementHistory::Of(const World& w) {
    Bombs bombs(w.BombList.size());
    for (size_t k = 0; k < bombs.size(); ++k) {
        const cBomb& b = *w.BombList[k];
        bombs[k] = {static_cast<bool>(w.BombPlaced[k]), b.HomeX, b.HomeY, b.Fuse};
    }
    return bombs;
}

void PlacementHistory::LevelStarted(const World& world) {
    before_.clear();
    last_ = Of(world);
    inGesture_ = false;
}

void PlacementHistory::AfterFrame(const World& world, bool held) {
    Bombs now = Of(world);
    if (now == last_) {
        if (!held) inGesture_ = false;
        return;
    }
    if (!inGesture_) {
        if (before_.size() == kKept) before_.erase(before_.begin());
        before_.push_back(last_);
    }
    inGesture_ = held;
    last_ = std::move(now);
}

bool PlacementHistory::Undo(World& world) {
    if (before_.empty()) return false;
    const Bombs was = std::move(before_.back());
    before_.pop_back();
    const Bombs now = Of(world);
    const int selected = world.SlotOf(world.SelectedBomb);
    for (size_t k = 0; k < was.size() && k < now.size(); ++k) {
        if (was[k] == now[k]) continue;
        const int slot = static_cast<int>(k);
        if (was[k].placed)
            Place(world, {slot, was[k].x, was[k].y, was[k].fuse});
        else
            Apply(world, Command{Command::Kind::Return, static_cast<int16_t>(slot), 0, 0, 0});
    }
    // The selection stays with the bomb it was on, if that is still out.
    const bool keep = selected >= 0 && world.BombPlaced[static_cast<size_t>(selected)];
    world.SelectedBomb = keep ? world.BombList[static_cast<size_t>(selected)] : nullptr;
    last_ = Of(world);
    inGesture_ = false;
    return true;
}

}  // namespace edition
