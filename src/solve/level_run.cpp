#include "solve/level_run.h"

#include <algorithm>

#include "sim/fuse.h"
#include "sim/level_record.h"
#include "sim/step.h"

int PlaceableBombs(const LevelRecord* records) {
    int bombs = 0;
    for (const LevelRecord* r = records; static_cast<uint16_t>(r->type) != REC_END; ++r) {
        if (static_cast<uint16_t>(r->type) == REC_BOMB) ++bombs;
    }
    return std::min(bombs, kInventorySlots);
}

LevelRun::LevelRun(const LevelRecord* records, const std::vector<BombPlacement>& bombs) { Restart(records, bombs); }

void LevelRun::Restart(const LevelRecord* records, const std::vector<BombPlacement>& bombs) {
    // Every level begins in edit mode, nothing flying, whatever ran before.
    world_ = World{};
    BuildLevel(world_, records);
    PlaceEach(world_, bombs);
    frame_ = -1;
    running_ = true;
    FindHamsters();
}

void LevelRun::FindHamsters() {
    hamsters_.clear();
    for (cObject* o : world_.ObjectList) {
        if (o->Kind() == KIND_HAMSTER || o->Kind() == KIND_HAMSTER_FAST) hamsters_.push_back(static_cast<cPlayer*>(o));
    }
}

bool LevelRun::Next() {
    if (!running_) return false;
    PlayerCommands commands;
    // The player's hands: Space in the first frame and nothing afterwards.
    if (frame_ < 0) commands.toggle = Toggle::KeepSelection;
    Step(world_, commands);
    frame_ += 1;
    running_ = !world_.LevelComplete;
    return running_;
}

bool LevelRun::Restore(const Saved& saved) {
    if (saved.world.ObjectList.size() != world_.ObjectList.size()) return false;
    const cObject* first = world_.ObjectList.empty() ? nullptr : world_.ObjectList.front();
    world_ = saved.world;
    frame_ = saved.frame;
    running_ = saved.running;
    // The objects are copied into the ones in place, so the hamsters stay
    // where they were; objects stored anew are looked for again.
    if (world_.ObjectList.empty() || world_.ObjectList.front() != first) FindHamsters();
    return true;
}

bool LevelRun::PlaceLate(int slot, const BombPlacement& placement) {
    if (slot < 0 || static_cast<size_t>(slot) >= world_.BombList.size() || slot >= kInventorySlots) return false;
    const int fuse = LimitedFuse(placement.fuse);
    const int elapsed = std::max(frame_, 0);  // frame 0 steps nothing
    if (fuse - elapsed <= 2) return false;
    Place(world_, {slot, placement.x, placement.y, fuse});  // selected, as the last bomb placed is
    cBomb& bomb = *world_.BombList[static_cast<size_t>(slot)];
    bomb.Reset();  // at its home with a full fuse and its own box, as any bomb before its blast
    bomb.Count = fuse - elapsed;
    return true;
}
