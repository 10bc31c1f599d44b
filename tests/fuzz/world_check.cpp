#include "world_check.h"

#include <cstdint>

#include "failure.h"
#include "sim/blocks.h"
#include "sim/bomb.h"
#include "sim/level_record.h"
#include "sim/player.h"
#include "sim/world.h"

namespace {

// The record type an object was built from, told by its class: its kind
// code changes in play (a lit bomb, a fast hamster).
int RecordTypeOf(cObject* o) {
    if (dynamic_cast<cBlock*>(o)) return REC_BLOCK;
    if (dynamic_cast<cBrick*>(o)) return REC_BRICK;
    if (dynamic_cast<cPlayer*>(o)) return REC_HAMSTER;
    if (dynamic_cast<cBomb*>(o)) return REC_BOMB;
    if (dynamic_cast<cFixedBomb*>(o)) return REC_FIXED_BOMB;
    if (dynamic_cast<cExit*>(o)) return REC_EXIT;
    return -1;
}

bool Built(uint16_t type) {
    switch (type) {
        case REC_BLOCK:
        case REC_BRICK:
        case REC_HAMSTER:
        case REC_BOMB:
        case REC_FIXED_BOMB:
        case REC_EXIT:
            return true;
        default:
            return false;
    }
}

}  // namespace

void CheckWorld(const World& w, const LevelRecord* records) {
    const std::vector<cObject*>& ObjectList = w.ObjectList;
    const std::vector<cBomb*>& BombList = w.BombList;
    std::size_t object = 0, bomb = 0;
    int hamsters = 0;
    for (const LevelRecord* r = records; r->type != REC_END; ++r) {
        const uint16_t type = static_cast<uint16_t>(r->type);
        if (!Built(type) || (type == REC_HAMSTER && hamsters == kMaxHamsters)) continue;
        if (object >= ObjectList.size()) FuzzFailure("fewer objects than records to build");
        cObject* o = ObjectList[object++];
        if (!o) FuzzFailure("a null object in the world during a level");
        if (RecordTypeOf(o) != type) FuzzFailure("an object of another class than its record");
        if (type == REC_HAMSTER && static_cast<cPlayer*>(o)->Id != hamsters++)
            FuzzFailure("a hamster numbered out of record order");
        if (type == REC_BOMB) {
            if (bomb >= BombList.size() || BombList[bomb] != o) FuzzFailure("the bomb list out of step with the objects");
            ++bomb;
        }
    }
    if (object != ObjectList.size()) FuzzFailure("more objects than records to build");
    if (bomb != BombList.size() || w.BombPlaced.size() != BombList.size())
        FuzzFailure("the bomb lists differ in length");
    bool selected = w.SelectedBomb == nullptr;
    for (const cBomb* b : BombList) selected = selected || b == w.SelectedBomb;
    if (!selected) FuzzFailure("the selected bomb is no inventory bomb");
    if (w.HamsterCount != hamsters) FuzzFailure("the hamster count is not the hamsters built");
    if (hamsters < 32 && (w.ExitMask >> hamsters) != 0) FuzzFailure("an exit mask bit without a hamster");
    // The lists point into this world: a copy of it must point into the copy.
    for (const cObject* o : ObjectList)
        if (!o) FuzzFailure("a null object in the world");
}
