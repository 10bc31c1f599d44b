#pragma once
// Edit mode's input: the HUD's buttons and inventory, and moving, selecting
// and timing the player's bombs on the play-field, turned into the frame's
// commands for the simulation.
#include <cstdint>

#include "game/input.h"
#include "sim/fuse.h"
#include "sim/geometry.h"
#include "sim/placement.h"
#include "sim/step.h"

class cBomb;
class World;

// The HUD's controls, in HUD coordinates (y from the HUD's top edge). A
// control's left column and top row lie outside it, its far column and row
// inside: that is Overlaps with the cursor's zero-size box first.
namespace hud {
constexpr int kSlotCount = kInventorySlots;
constexpr Box InventorySlot(int k) { return {static_cast<short>(104 + 40 * k), 8, 32, 32}; }
constexpr Box kRestartButton{585, 8, 48, 32};
constexpr Box kModeButton{8, 8, 32, 32};
constexpr Box kMinusButton{360, 16, 16, 16};
constexpr Box kPlusButton{472, 16, 16, 16};
constexpr Box kFuseSlider{384, 16, 79, 16};
}  // namespace hud

struct GrabOffset {
    int16_t dx = 0;
    int16_t dy = 0;
};

// Per-level state; a level starts from a default-constructed one.
struct HudState {
    bool leftDrag = false;    // the selected bomb follows the cursor
    bool fuseDrag = false;    // the selected bomb's fuse follows the cursor's distance
    bool dragActive = false;  // the current drag has left its dead zone
    GrabOffset grabOffset;    // bomb minus cursor at the last left pick-up
    bool nudgeLatch = false;  // one nudge or fuse-key action per press
};

// What the player's edition adds to the HUD; the game's own HUD has none of it.
struct HudOptions {
    bool dropReturnsBomb = false;  // a bomb dragged onto the inventory's slots goes back into its own
};

// Requests for the game flow from this frame's clicks.
struct HudClicks {
    bool restart = false;
    bool mode = false;
    bool bombSelected = false;  // a bomb is selected once this frame's commands are applied
};

// The cursor as a zero-size box in HUD coordinates.
Box HudPoint(int mouseX, int mouseY, int hudTop);
bool HitsControl(Box hudPoint, Box control);
// The bomb's world box holds the cursor: X - 12 <= mouseX < X + 12, same for y.
bool BombUnderCursor(const cBomb& bomb, int mouseX, int mouseY);

// The fuse the slider sets at a HUD x inside it, before the HUD's limits.
constexpr int SliderFuse(int hudX) { return ((hudX - hud::kFuseSlider.x) >> 1) * kQuarterSecond; }

// One frame of edit-mode input against the world as it stands; in holds
// this frame's buttons and keys. What it does to the bombs is added to out,
// in order, for the step to apply; the world itself is left as it is.
HudClicks EditModeInput(HudState& state, const InputSample& in, int hudTop, const World& world, PlayerCommands& out,
                        const HudOptions& options = {});
