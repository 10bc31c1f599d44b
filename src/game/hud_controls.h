#pragma once
// Edit mode's input: the HUD's buttons and inventory, and moving, selecting
// and timing the player's bombs on the play-field.
#include <cstdint>

#include "sim/geometry.h"
#include "game/input.h"

class cBomb;

// The HUD's controls, in HUD coordinates (y from the HUD's top edge). A
// control's left column and top row lie outside it, its far column and row
// inside: that is Overlaps with the cursor's zero-size box first.
namespace hud {
constexpr int kSlotCount = 5;
constexpr Box InventorySlot(int k) { return {static_cast<short>(104 + 40 * k), 8, 32, 32}; }
constexpr Box kRestartButton{585, 8, 48, 32};
constexpr Box kModeButton{8, 8, 32, 32};
constexpr Box kMinusButton{360, 16, 16, 16};
constexpr Box kPlusButton{472, 16, 16, 16};
constexpr Box kFuseSlider{384, 16, 79, 16};
}  // namespace hud

constexpr int kQuarterSecond = 15;  // frames; the unit of every fuse control
constexpr int kLongestFuse = 585;
constexpr int kShortestFuse = 6;

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

// Requests for the game flow from this frame's clicks.
struct HudClicks {
    bool restart = false;
    bool mode = false;
};

// The cursor as a zero-size box in HUD coordinates.
Box HudPoint(int mouseX, int mouseY, int hudTop);
bool HitsControl(Box hudPoint, Box control);
// The bomb's world box holds the cursor: X - 12 <= mouseX < X + 12, same for y.
bool BombUnderCursor(const cBomb& bomb, int mouseX, int mouseY);

// The fuse the HUD gives for the value v: above 599 the longest, 0 or less
// the shortest, anything else as it is.
constexpr int LimitedFuse(int v) { return v > 599 ? kLongestFuse : v <= 0 ? kShortestFuse : v; }
// Limits v to the fuses the HUD can set and stores it in Fuse and Count.
void SetFuse(cBomb& bomb, int v);
// One quarter second shorter (d = -1) or longer (d = +1).
void StepFuse(cBomb& bomb, int d);
// Bomb k of the inventory taken out as a click on its slot does, left at
// (x, y) as a drag would leave it, its fuse set with SetFuse's limits, and
// selected. The level tools, the soak and the fuzzer place bombs this way.
void PlaceInventoryBomb(int k, short x, short y, int fuse);
// The fuse the slider sets at a HUD x inside it, before SetFuse's limits.
constexpr int SliderFuse(int hudX) { return ((hudX - hud::kFuseSlider.x) >> 1) * kQuarterSecond; }

// One frame of edit-mode input; in holds this frame's buttons and keys.
HudClicks EditModeInput(HudState& state, const InputSample& in, int hudTop);
