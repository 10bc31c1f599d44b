#pragma once
// A bomb the player takes out of the inventory: its slot, where it goes and
// its fuse. The HUD, the solver, kept progress, hints, watching a run and
// the designer's test-play all place bombs as this says.
#include <cstdint>
#include <vector>

class World;

// The HUD has five inventory slots: bombs of a level beyond them stay unplaced.
constexpr int kInventorySlots = 5;

// Where a player puts a bomb with the mouse and still sees all of it: its
// whole box on the play-field, above the edit-mode HUD (whose picture is 82
// rows tall). The arrow keys can nudge a bomb further, under the HUD or off
// the field, but no hint or recorded solution should ask for that.
constexpr int kEditHudTop = 398;
constexpr int kBombHalf = 12;
constexpr bool InMouseReach(int x, int y) {
    return x >= kBombHalf && x <= 640 - kBombHalf && y >= kBombHalf && y <= kEditHudTop - kBombHalf;
}

struct BombPlacement {
    int slot = 0;   // the inventory slot, from 0
    int16_t x = 0;  // centre, whole pixels
    int16_t y = 0;
    int fuse = 60;  // frames, before the HUD's limits

    friend bool operator==(const BombPlacement&, const BombPlacement&) = default;
};

// The inventory bomb of the slot taken out as a click on its slot takes it,
// left at (x, y) as a drag leaves it, its fuse set within the HUD's limits,
// and selected. False, changing nothing, when the level has no such bomb
// within the HUD's slots.
bool Place(World& world, const BombPlacement& placement);

// The placements taken out of the inventory in order, each into the slot of
// its place in the list (whatever slot it names), as far as the HUD's slots
// go: how the tools and the recorded solutions give bombs.
void PlaceInOrder(World& world, const std::vector<BombPlacement>& bombs);

// Each placement into the slot it names (a placement of no such slot is
// left out): how the solver and hints place the player's bombs, which keep
// the slots the player took them from, beside the ones they add.
void PlaceEach(World& world, const std::vector<BombPlacement>& bombs);

// The lowest inventory slot, of the first `placeable`, that none of bombs
// uses; -1 when all are used.
int FreeSlot(const std::vector<BombPlacement>& bombs, int placeable);

// The bombs taken out of the inventory as they stand, in slot order.
std::vector<BombPlacement> PlacedBombs(const World& world);
