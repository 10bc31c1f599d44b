#include "sim/world.h"

#include <memory>

#include "sim/blocks.h"
#include "sim/bomb.h"
#include "sim/player.h"
#include "sim/frame_globals.h"

// Storage is released in reverse order at exit: BombPlaced, BombList, ObjectList.
std::vector<cObject*> ObjectList;
std::vector<cBomb*> BombList;
std::vector<bool> BombPlaced;

namespace {
template <class T>
T* Append(std::unique_ptr<T> object) {
    ObjectList.push_back(object.get());
    return object.release();
}
}  // namespace

void BuildLevel(const LevelRecord* records) {
    for (cObject* o : ObjectList) delete o;
    ObjectList.clear();
    BombList.clear();
    BombPlaced.clear();
    SelectedBomb = nullptr;
    HamsterCount = 0;  // the count and the hamsters' Ids belong to the world built here

    for (const LevelRecord* r = records;; ++r) {
        switch (static_cast<uint16_t>(r->type)) {
            case REC_END:
                return;
            case REC_BLOCK:
                Append(std::make_unique<cBlock>(r->x, r->y));
                break;
            case REC_BRICK:
                Append(std::make_unique<cBrick>(r->x, r->y));
                break;
            case REC_HAMSTER:
                // Each hamster owns one bit of the 32-bit exit mask; any more
                // could never be counted home, so they are not built.
                if (HamsterCount >= kMaxHamsters) break;
                Append(std::make_unique<cPlayer>(r->x, r->y, HamsterCount));
                HamsterCount += 1;
                break;
            case REC_BOMB: {
                cBomb* bomb = Append(std::make_unique<cBomb>());
                BombList.push_back(bomb);
                BombPlaced.push_back(false);
                break;
            }
            case REC_FIXED_BOMB:
                Append(std::make_unique<cFixedBomb>(r->x, r->y, r->param));
                break;
            case REC_EXIT:
                Append(std::make_unique<cExit>(r->x, r->y, r->w, r->h));
                break;
            default:
                break;  // unknown types create nothing
        }
    }
}

void DestroyWorldObjects() {
    for (cObject*& o : ObjectList) {
        delete o;
        o = nullptr;
    }
}
