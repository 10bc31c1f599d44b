#include "game/hud_controls.h"

#include <cmath>

#include "game/keys.h"
#include "sim/bomb.h"
#include "sim/play_field.h"
#include "sim/world.h"

namespace {

constexpr int64_t kMoveDeadZone = 8 * 8;  // squared pixels before a resumed move starts
constexpr int64_t kFuseDeadZone = 12 * 12;

bool OverPlayField(const InputSample& in, int hudTop) { return in.mouseY < hudTop; }

// The world as this frame's commands so far leave it, as far as the HUD reads
// it: which bomb is selected, which was taken out this frame, and where the
// selected bomb now stands. Every command goes to the step through here.
class Hands {
public:
    Hands(const World& w, PlayerCommands& out) : w_(w), out_(out), selected_(w.SlotOf(w.SelectedBomb)) {}

    int Selected() const { return selected_; }
    bool Placed(int k) const { return k != returned_ && (k == taken_ || w_.BombPlaced[static_cast<size_t>(k)]); }
    const cBomb& Bomb(int k) const { return *w_.BombList[static_cast<size_t>(k)]; }
    // The selected bomb's whole-pixel centre.
    int X() const { return moved_ == selected_ ? movedX_ : Bomb(selected_).x.Whole(); }
    int Y() const { return moved_ == selected_ ? movedY_ : Bomb(selected_).y.Whole(); }

    void Select(int k) {
        selected_ = k;
        Add(Command::Kind::Select, k, 0, 0, 0);
    }
    void Take(int k) {
        selected_ = taken_ = k;
        MovedTo(kScreenWidth / 2, kScreenHeight / 2);
        Add(Command::Kind::Take, k, 0, 0, 0);
    }
    void PlaceAt(int x, int y) {
        MovedTo(x, y);
        Add(Command::Kind::Place, 0, x, y, 0);
    }
    void Nudge(int dx, int dy) {
        MovedTo(X() + dx, Y() + dy);
        Add(Command::Kind::Nudge, 0, dx, dy, 0);
    }
    void Return(int k) {
        if (selected_ == k) selected_ = -1;
        returned_ = k;
        Add(Command::Kind::Return, k, 0, 0, 0);
    }
    void SetFuse(int frames) { Add(Command::Kind::SetFuse, 0, 0, 0, frames); }
    void StepFuse(int quarters) { Add(Command::Kind::StepFuse, 0, 0, 0, quarters); }

private:
    void MovedTo(int x, int y) {
        moved_ = selected_;
        movedX_ = x;
        movedY_ = y;
    }
    void Add(Command::Kind kind, int slot, int x, int y, int value) {
        out_.Add({kind, static_cast<int16_t>(slot), static_cast<int16_t>(x), static_cast<int16_t>(y), value});
    }

    const World& w_;
    PlayerCommands& out_;
    int selected_;
    int taken_ = -1;
    int returned_ = -1;
    int moved_ = -1;  // the bomb that moved this frame, and where to
    int movedX_ = 0, movedY_ = 0;
};

// Where the cursor was when the selected bomb was last picked up with the left button.
bool BeyondDeadZone(const Hands& h, const GrabOffset& grab, const InputSample& in, int64_t limit) {
    const int64_t gx = int64_t{h.X()} - grab.dx;
    const int64_t gy = int64_t{h.Y()} - grab.dy;
    const int64_t dx = in.mouseX - gx;
    const int64_t dy = in.mouseY - gy;
    return dx * dx + dy * dy > limit;
}

int BombCount(const World& w) { return static_cast<int>(w.BombList.size()); }

void LeftPress(HudState& s, const InputSample& in, int hudTop, const World& w, Hands& h, HudClicks& clicks) {
    if (OverPlayField(in, hudTop)) {
        // No early exit: where bombs overlap the last one under the cursor wins.
        int picked = -1;
        for (int k = 0; k < BombCount(w); ++k)
            if (BombUnderCursor(h.Bomb(k), in.mouseX, in.mouseY)) picked = k;
        if (picked < 0) return;
        h.Select(picked);
        s.leftDrag = true;
        s.dragActive = true;
        s.grabOffset.dx = static_cast<int16_t>(h.X() - in.mouseX);
        s.grabOffset.dy = static_cast<int16_t>(h.Y() - in.mouseY);
        return;
    }
    const Box point = HudPoint(in.mouseX, in.mouseY, hudTop);
    for (int k = 0; k < hud::kSlotCount; ++k) {
        if (HitsControl(point, hud::InventorySlot(k)) && k < BombCount(w) && !h.Placed(k)) h.Take(k);
    }
    if (HitsControl(point, hud::kRestartButton)) {
        clicks.restart = true;
    } else if (HitsControl(point, hud::kModeButton)) {
        clicks.mode = true;
    } else if (HitsControl(point, hud::kMinusButton)) {
        if (h.Selected() >= 0) h.StepFuse(-1);
    } else if (HitsControl(point, hud::kPlusButton)) {
        if (h.Selected() >= 0) h.StepFuse(+1);
    }
}

void RightPress(HudState& s, const InputSample& in, int hudTop, const World& w, Hands& h) {
    if (!OverPlayField(in, hudTop)) return;
    int picked = -1;
    for (int k = 0; k < BombCount(w); ++k)
        if (BombUnderCursor(h.Bomb(k), in.mouseX, in.mouseY)) picked = k;
    if (picked < 0) return;
    h.Select(picked);
    s.fuseDrag = true;
    s.dragActive = false;
}

void LeftHeld(HudState& s, const InputSample& in, int hudTop, Hands& h) {
    if (h.Selected() < 0) return;
    if (OverPlayField(in, hudTop)) {
        if (!s.leftDrag) return;
        if (s.dragActive)
            h.PlaceAt(in.mouseX + s.grabOffset.dx, in.mouseY + s.grabOffset.dy);
        else if (BeyondDeadZone(h, s.grabOffset, in, kMoveDeadZone))
            s.dragActive = true;  // the bomb follows from the next frame on
        return;
    }
    const Box point = HudPoint(in.mouseX, in.mouseY, hudTop);
    if (HitsControl(point, hud::kFuseSlider)) h.SetFuse(SliderFuse(point.x));
}

void RightHeld(HudState& s, const InputSample& in, int hudTop, Hands& h) {
    if (!s.fuseDrag || !OverPlayField(in, hudTop) || h.Selected() < 0) return;
    if (!s.dragActive) {
        if (BeyondDeadZone(h, s.grabOffset, in, kFuseDeadZone)) s.dragActive = true;
        return;
    }
    const double dx = static_cast<double>(h.X()) - in.mouseX;
    const double dy = static_cast<double>(h.Y()) - in.mouseY;
    // Every eight whole pixels of distance are one quarter second.
    const int d = static_cast<int>(RoundUp(std::sqrt(dx * dx + dy * dy)));
    h.SetFuse((d >> 3) * kQuarterSecond);
}

// The end of a drag of a bomb, over the inventory's slots: it goes back in.
void DropOnInventory(const InputSample& in, int hudTop, Hands& h) {
    if (OverPlayField(in, hudTop) || h.Selected() < 0) return;
    const Box point = HudPoint(in.mouseX, in.mouseY, hudTop);
    for (int k = 0; k < hud::kSlotCount; ++k)
        if (HitsControl(point, hud::InventorySlot(k))) {
            h.Return(h.Selected());
            return;
        }
}

void NudgeAndFuseKeys(HudState& s, const InputSample& in, Hands& h) {
    // Only the first held key of the list acts, and only once per press: the
    // latch opens again when all of them are up.
    enum Action { kNone, kUp, kDown, kLeft, kRight, kLonger, kShorter };
    Action action = kNone;
    if (in.Key(kKeyUp)) action = kUp;
    else if (in.Key(kKeyDown)) action = kDown;
    else if (in.Key(kKeyLeft)) action = kLeft;
    else if (in.Key(kKeyRight)) action = kRight;
    else if (in.Key(kKeyEquals) || in.Key(kKeyPlusPad)) action = kLonger;
    else if (in.Key(kKeyMinus) || in.Key(kKeyMinusPad)) action = kShorter;

    if (action == kNone) {
        s.nudgeLatch = false;
        return;
    }
    if (s.nudgeLatch) return;
    s.nudgeLatch = true;
    if (h.Selected() < 0) return;
    switch (action) {
        case kUp: h.Nudge(0, -1); break;
        case kDown: h.Nudge(0, 1); break;
        case kLeft: h.Nudge(-1, 0); break;
        case kRight: h.Nudge(1, 0); break;
        case kLonger: h.StepFuse(+1); break;
        case kShorter: h.StepFuse(-1); break;
        case kNone: break;
    }
}

void NumberKeys(const InputSample& in, const World& w, Hands& h) {
    // The highest held key of a placed bomb wins.
    int picked = -1;
    for (int k = 0; k < BombCount(w); ++k)
        if (in.Key(KeyDigit(1) + k) && h.Placed(k)) picked = k;
    if (picked >= 0) h.Select(picked);
}

}  // namespace

Box HudPoint(int mouseX, int mouseY, int hudTop) {
    return {static_cast<short>(mouseX), static_cast<short>(mouseY - hudTop), 0, 0};
}

bool HitsControl(Box hudPoint, Box control) { return Overlaps(hudPoint, control); }

bool BombUnderCursor(const cBomb& bomb, int mouseX, int mouseY) {
    return Overlaps(bomb.WorldBox(), Box{static_cast<short>(mouseX), static_cast<short>(mouseY), 0, 0});
}

HudClicks EditModeInput(HudState& s, const InputSample& in, int hudTop, const World& w, PlayerCommands& out,
                        const HudOptions& options) {
    HudClicks clicks;
    Hands h(w, out);
    if (in.pressed & kLeftButton) LeftPress(s, in, hudTop, w, h, clicks);
    if (in.pressed & kRightButton) RightPress(s, in, hudTop, w, h);
    if (in.released & kLeftButton) {
        if (options.dropReturnsBomb && s.leftDrag && s.dragActive) DropOnInventory(in, hudTop, h);
        s.leftDrag = false;
    }
    if (in.released & kRightButton) s.fuseDrag = false;
    if (in.buttons & kLeftButton) LeftHeld(s, in, hudTop, h);
    if (in.buttons & kRightButton) RightHeld(s, in, hudTop, h);
    NudgeAndFuseKeys(s, in, h);
    NumberKeys(in, w, h);
    clicks.bombSelected = h.Selected() >= 0;
    return clicks;
}
