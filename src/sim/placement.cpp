#include "sim/placement.h"

#include "sim/step.h"
#include "sim/world.h"

bool Place(World& w, const BombPlacement& b) {
    if (b.slot < 0 || b.slot >= kInventorySlots || static_cast<size_t>(b.slot) >= w.BombList.size()) return false;
    PlayerCommands commands;
    commands.Add(b);
    for (const Command& c : commands) Apply(w, c);
    return true;
}

void PlaceInOrder(World& w, const std::vector<BombPlacement>& bombs) {
    for (size_t k = 0; k < bombs.size(); ++k) {
        BombPlacement b = bombs[k];
        b.slot = static_cast<int>(k);
        if (!Place(w, b)) break;
    }
}

void PlaceEach(World& w, const std::vector<BombPlacement>& bombs) {
    for (const BombPlacement& b : bombs) Place(w, b);
}

int FreeSlot(const std::vector<BombPlacement>& bombs, int placeable) {
    for (int k = 0; k < placeable; ++k) {
        bool used = false;
        for (const BombPlacement& b : bombs) used = used || b.slot == k;
        if (!used) return k;
    }
    return -1;
}

std::vector<BombPlacement> PlacedBombs(const World& w) {
    std::vector<BombPlacement> bombs;
    for (size_t k = 0; k < w.BombList.size() && k < w.BombPlaced.size(); ++k) {
        if (!w.BombPlaced[k]) continue;
        const cBomb& b = *w.BombList[k];
        bombs.push_back({static_cast<int>(k), b.HomeX, b.HomeY, b.Fuse});
    }
    return bombs;
}
