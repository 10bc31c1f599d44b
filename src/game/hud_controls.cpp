#include "game/hud_controls.h"

#include <cmath>

#include "sim/world.h"
#include "sim/bomb.h"
#include "sim/frame_globals.h"
#include "sim/play_field.h"
#include "game/keys.h"

namespace {

constexpr int64_t kMoveDeadZone = 8 * 8;   // squared pixels before a resumed move starts
constexpr int64_t kFuseDeadZone = 12 * 12;

bool OverPlayField(const InputSample& in, int hudTop) { return in.mouseY < hudTop; }

// Where the cursor was when the selected bomb was last picked up with the left button.
bool BeyondDeadZone(const cBomb& bomb, const GrabOffset& grab, const InputSample& in, int64_t limit) {
    const int64_t gx = int64_t{bomb.x.Whole()} - grab.dx;
    const int64_t gy = int64_t{bomb.y.Whole()} - grab.dy;
    const int64_t dx = in.mouseX - gx;
    const int64_t dy = in.mouseY - gy;
    return dx * dx + dy * dy > limit;
}

void PlaceAt(cBomb& bomb, int X, int Y) {
    bomb.x = Fixed::FromInt(X);
    bomb.y = Fixed::FromInt(Y);
    bomb.HomeX = static_cast<short>(X);
    bomb.HomeY = static_cast<short>(Y);
}

void TakeFromInventory(int k) {
    cBomb* bomb = BombList[k];
    SelectedBomb = bomb;
    BombPlaced[k] = true;
    PlaceAt(*bomb, kScreenWidth / 2, kScreenHeight / 2);  // fuse stays as it was
}

void LeftPress(HudState& s, const InputSample& in, int hudTop, HudClicks& clicks) {
    if (OverPlayField(in, hudTop)) {
        // No early exit: where bombs overlap the last one under the cursor wins.
        for (cBomb* bomb : BombList) {
            if (!BombUnderCursor(*bomb, in.mouseX, in.mouseY)) continue;
            SelectedBomb = bomb;
            s.leftDrag = true;
            s.dragActive = true;
            s.grabOffset.dx = static_cast<int16_t>(bomb->x.Whole() - in.mouseX);
            s.grabOffset.dy = static_cast<int16_t>(bomb->y.Whole() - in.mouseY);
        }
        return;
    }
    const Box point = HudPoint(in.mouseX, in.mouseY, hudTop);
    const int bombs = static_cast<int>(BombList.size());
    for (int k = 0; k < hud::kSlotCount; ++k) {
        if (HitsControl(point, hud::InventorySlot(k)) && k < bombs && !BombPlaced[k]) TakeFromInventory(k);
    }
    if (HitsControl(point, hud::kRestartButton)) {
        clicks.restart = true;
    } else if (HitsControl(point, hud::kModeButton)) {
        clicks.mode = true;
    } else if (HitsControl(point, hud::kMinusButton)) {
        if (SelectedBomb) StepFuse(*SelectedBomb, -1);
    } else if (HitsControl(point, hud::kPlusButton)) {
        if (SelectedBomb) StepFuse(*SelectedBomb, +1);
    }
}

void RightPress(HudState& s, const InputSample& in, int hudTop) {
    if (!OverPlayField(in, hudTop)) return;
    for (cBomb* bomb : BombList) {
        if (!BombUnderCursor(*bomb, in.mouseX, in.mouseY)) continue;
        SelectedBomb = bomb;
        s.fuseDrag = true;
        s.dragActive = false;
    }
}

void LeftHeld(HudState& s, const InputSample& in, int hudTop) {
    if (!SelectedBomb) return;
    cBomb& bomb = *SelectedBomb;
    if (OverPlayField(in, hudTop)) {
        if (!s.leftDrag) return;
        if (s.dragActive)
            PlaceAt(bomb, in.mouseX + s.grabOffset.dx, in.mouseY + s.grabOffset.dy);
        else if (BeyondDeadZone(bomb, s.grabOffset, in, kMoveDeadZone))
            s.dragActive = true;  // the bomb follows from the next frame on
        return;
    }
    const Box point = HudPoint(in.mouseX, in.mouseY, hudTop);
    if (HitsControl(point, hud::kFuseSlider)) SetFuse(bomb, SliderFuse(point.x));
}

void RightHeld(HudState& s, const InputSample& in, int hudTop) {
    if (!s.fuseDrag || !OverPlayField(in, hudTop) || !SelectedBomb) return;
    cBomb& bomb = *SelectedBomb;
    if (!s.dragActive) {
        if (BeyondDeadZone(bomb, s.grabOffset, in, kFuseDeadZone)) s.dragActive = true;
        return;
    }
    const double dx = static_cast<double>(bomb.x.Whole()) - in.mouseX;
    const double dy = static_cast<double>(bomb.y.Whole()) - in.mouseY;
    // Every eight whole pixels of distance are one quarter second.
    const int d = static_cast<int>(RoundUp(std::sqrt(dx * dx + dy * dy)));
    SetFuse(bomb, (d >> 3) * kQuarterSecond);
}

void Nudge(int dx, int dy) {
    if (!SelectedBomb) return;
    cBomb& b = *SelectedBomb;
    b.x = b.x.Floor() + Fixed::FromInt(dx);
    b.y = b.y.Floor() + Fixed::FromInt(dy);
    b.HomeX = static_cast<short>(b.HomeX + dx);
    b.HomeY = static_cast<short>(b.HomeY + dy);
}

void NudgeAndFuseKeys(HudState& s, const InputSample& in) {
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
    switch (action) {
        case kUp: Nudge(0, -1); break;
        case kDown: Nudge(0, 1); break;
        case kLeft: Nudge(-1, 0); break;
        case kRight: Nudge(1, 0); break;
        case kLonger: if (SelectedBomb) StepFuse(*SelectedBomb, +1); break;
        case kShorter: if (SelectedBomb) StepFuse(*SelectedBomb, -1); break;
        case kNone: break;
    }
}

void NumberKeys(const InputSample& in) {
    // The highest held key of a placed bomb wins.
    for (size_t i = 0; i < BombList.size(); ++i) {
        if (in.Key(KeyDigit(1) + static_cast<int>(i)) && BombPlaced[i]) SelectedBomb = BombList[i];
    }
}

}  // namespace

Box HudPoint(int mouseX, int mouseY, int hudTop) {
    return {static_cast<short>(mouseX), static_cast<short>(mouseY - hudTop), 0, 0};
}

bool HitsControl(Box hudPoint, Box control) { return Overlaps(hudPoint, control); }

bool BombUnderCursor(const cBomb& bomb, int mouseX, int mouseY) {
    return Overlaps(bomb.WorldBox(), Box{static_cast<short>(mouseX), static_cast<short>(mouseY), 0, 0});
}

void SetFuse(cBomb& bomb, int v) {
    bomb.Fuse = LimitedFuse(v);
    bomb.Count = bomb.Fuse;
}

void PlaceInventoryBomb(int k, short x, short y, int fuse) {
    TakeFromInventory(k);
    PlaceAt(*BombList[k], x, y);
    SetFuse(*BombList[k], fuse);
}

void StepFuse(cBomb& bomb, int d) { SetFuse(bomb, (bomb.Fuse / kQuarterSecond + d) * kQuarterSecond); }

HudClicks EditModeInput(HudState& s, const InputSample& in, int hudTop) {
    HudClicks clicks;
    if (in.pressed & kLeftButton) LeftPress(s, in, hudTop, clicks);
    if (in.pressed & kRightButton) RightPress(s, in, hudTop);
    if (in.released & kLeftButton) s.leftDrag = false;
    if (in.released & kRightButton) s.fuseDrag = false;
    if (in.buttons & kLeftButton) LeftHeld(s, in, hudTop);
    if (in.buttons & kRightButton) RightHeld(s, in, hudTop);
    NudgeAndFuseKeys(s, in);
    NumberKeys(in);
    return clicks;
}
