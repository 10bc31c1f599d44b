#pragma once
// The level's fixed bombs in a world: the bombs of ObjectList that are not
// the player's inventory bombs.
#include <algorithm>

#include "sim/world.h"

namespace edition {

template <class Each>
void ForFixedBombs(const World& w, Each each) {
    for (cObject* o : w.ObjectList) {
        const int kind = o->Kind();
        if (kind != KIND_BOMB && kind != KIND_BLAST && kind != KIND_FUSE_LIT) continue;
        if (std::find(w.BombList.begin(), w.BombList.end(), o) != w.BombList.end()) continue;
        each(static_cast<const cFixedBomb&>(*o));
    }
}

}  // namespace edition
