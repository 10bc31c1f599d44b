#include "sim/step.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "sim/fuse.h"
#include "sim/play_field.h"
#include "sim/world.h"

namespace {

void PlaceAt(cBomb& bomb, int X, int Y) {
    bomb.x = Fixed::FromInt(X);
    bomb.y = Fixed::FromInt(Y);
    bomb.HomeX = static_cast<short>(X);
    bomb.HomeY = static_cast<short>(Y);
}

void SetFuse(cBomb& bomb, int v) {
    bomb.Fuse = LimitedFuse(v);
    bomb.Count = bomb.Fuse;
}

cBomb* Slot(World& w, int slot) {
    return slot >= 0 && static_cast<size_t>(slot) < w.BombList.size() ? w.BombList[static_cast<size_t>(slot)] : nullptr;
}

}  // namespace

void PlayerCommands::Add(const BombPlacement& b) {
    Add(Command{Command::Kind::Take, static_cast<int16_t>(b.slot), 0, 0, 0});
    Add(Command{Command::Kind::Place, 0, b.x, b.y, 0});
    Add(Command{Command::Kind::SetFuse, 0, 0, 0, b.fuse});
}

void Apply(World& w, const Command& c) {
    switch (c.kind) {
        case Command::Kind::Select:
            if (cBomb* b = Slot(w, c.slot)) w.SelectedBomb = b;
            return;
        case Command::Kind::Take:
            if (cBomb* b = Slot(w, c.slot)) {
                w.SelectedBomb = b;
                w.BombPlaced[static_cast<size_t>(c.slot)] = true;
                PlaceAt(*b, kScreenWidth / 2, kScreenHeight / 2);  // the fuse stays as it was
            }
            return;
        case Command::Kind::Return:
            if (cBomb* b = Slot(w, c.slot)) {
                w.BombPlaced[static_cast<size_t>(c.slot)] = false;
                // An unplaced bomb still burns its fuse off the field in a run:
                // it must be exactly as one never taken out.
                PlaceAt(*b, kInventoryHome, kInventoryHome);
                b->Fuse = kInventoryFuse;
                b->Reset();
                if (w.SelectedBomb == b) w.SelectedBomb = nullptr;
            }
            return;
        default:
            break;
    }
    if (!w.SelectedBomb) return;
    cBomb& b = *w.SelectedBomb;
    switch (c.kind) {
        case Command::Kind::Place:
            PlaceAt(b, c.x, c.y);
            return;
        case Command::Kind::Nudge:
            b.x = b.x.Floor() + Fixed::FromInt(c.x);
            b.y = b.y.Floor() + Fixed::FromInt(c.y);
            b.HomeX = static_cast<short>(b.HomeX + c.x);
            b.HomeY = static_cast<short>(b.HomeY + c.y);
            return;
        case Command::Kind::SetFuse:
            SetFuse(b, c.value);
            return;
        case Command::Kind::StepFuse:
            SetFuse(b, FuseStepped(b.Fuse, c.value));
            return;
        default:
            return;
    }
}

namespace {

void StartMotion(World& w) {
    w.Sounds.Clear();
    w.ExitMask = 0;
    w.FuseBurning = false;
}

// The size is read at every index: Collide is handed the list itself.
void CollideAndStep(World& w, size_t end) {
    for (size_t i = 0; i < end && i < w.ObjectList.size(); ++i) {
        cObject* o = w.ObjectList[i];
        o->Collide(w);
        o->Step(w);
    }
}

}  // namespace

void StepMotion(World& w, const PlayerCommands& commands) {
    for (const Command& c : commands) Apply(w, c);
    StartMotion(w);
    if (w.EditMode) return;
    CollideAndStep(w, SIZE_MAX);
}

void StepMotionBefore(World& w, size_t object) {
    StartMotion(w);
    if (w.EditMode) return;
    CollideAndStep(w, object);
}

void CollideBefore(World& w, size_t object, size_t upTo) {
    if (w.EditMode || object >= w.ObjectList.size()) return;
    // Collide reads the list it is handed; the objects past upTo are out of
    // it for this one call.
    const size_t all = w.ObjectList.size();
    std::vector<cObject*> later(w.ObjectList.begin() + static_cast<std::ptrdiff_t>(std::min(upTo, all)), w.ObjectList.end());
    w.ObjectList.resize(std::min(upTo, all));
    cObject* o = object < w.ObjectList.size() ? w.ObjectList[object] : later[object - w.ObjectList.size()];
    o->Collide(w);
    w.ObjectList.insert(w.ObjectList.end(), later.begin(), later.end());
}

void StepSettle(World& w, const PlayerCommands& commands) {
    switch (commands.toggle) {
        case Toggle::None:
            break;
        case Toggle::Deselect:
            w.SelectedBomb = nullptr;
            break;
        case Toggle::ClearSelection:
            w.SelectedBomb = nullptr;
            [[fallthrough]];
        case Toggle::KeepSelection:
            w.EditMode = !w.EditMode;
            if (w.EditMode) w.ResetObjects();
            break;
    }
    if (!AllHamstersHome(w)) return;
    if (w.CompleteTimer == 1)
        w.LevelComplete = true;
    else if (w.CompleteTimer == 0)
        w.CompleteTimer = kCompleteFrames;
    else
        w.CompleteTimer -= 1;
}

void Step(World& w, const PlayerCommands& commands) {
    StepMotion(w, commands);
    StepSettle(w, commands);
}

bool AllHamstersHome(const World& w) { return w.ExitMask == AllHamstersMask(w); }
