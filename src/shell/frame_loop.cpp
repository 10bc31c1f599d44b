#include "shell/frame_loop.h"

#include "levels/world.h"
#include "objects/asset_handles.h"
#include "objects/frame_globals.h"
#include "objects/object.h"
#include "objects/play_field.h"
#include "objects/presentation.h"
#include "play/frame_draw.h"
#include "play/keys.h"
#include "shell/assets.h"
#include "shell/frame_io.h"

bool HissPlaying = false;

void StopHiss() {
    if (HissPlaying) StopSample(HissSample);
    HissPlaying = false;
}

namespace {

void SampleInput(ShellState& s, FrameIo& io) {
    InputSample& in = s.input;
    in.keys.fill(false);
    io.Sample(in);
    in.pressed = in.buttons & ~s.prevButtons;
    in.released = s.prevButtons & ~in.buttons;
    s.prevButtons = in.buttons;
    s.modeClicked = false;
}

void Simulate() {
    // The size is read at every index: Collide is handed the list itself.
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        ObjectList[i]->Collide(ObjectList);
        ObjectList[i]->Step();
    }
}

// The hiss loops exactly while some fuse burns on the play-field.
void FollowFuseHiss() {
    if (FuseBurning && !HissPlaying) {
        PlaySample(HissSample, kOwnRate, true);
        HissPlaying = true;
    } else if (!FuseBurning && HissPlaying) {
        StopHiss();
    }
}

void ToggleMode(ShellState& s) {
    const InputSample& in = s.input;
    const bool space = in.Key(kKeySpace);
    const bool right = (in.buttons & kRightButton) != 0;
    const bool trigger = space || in.Key(kKeyEsc) || (right && !s.hud.fuseDrag) || s.modeClicked;
    if (!trigger) {
        s.toggleLatch = false;
        return;
    }
    if (s.toggleLatch) return;
    s.toggleLatch = true;
    if (right && SelectedBomb) {
        SelectedBomb = nullptr;  // a right click with a selection only deselects
        return;
    }
    if (!space) SelectedBomb = nullptr;
    EditMode = !EditMode;
    if (EditMode) {
        for (cObject* o : ObjectList) o->Reset();
    }
}

uint32_t AllHamstersMask() {
    if (HamsterCount <= 0) return 0;
    if (HamsterCount >= 32) return 0xFFFFFFFFu;
    return (1u << HamsterCount) - 1;
}

void CountCompletion(ShellState& s, bool draw, BITMAP* target, BITMAP* banner) {
    // The countdown pauses while any hamster is out of its exit.
    if (ExitMask != AllHamstersMask()) return;
    if (s.completeTimer == 1)
        s.levelComplete = true;
    else if (s.completeTimer == 0)
        s.completeTimer = kCompleteFrames;
    else
        s.completeTimer -= 1;
    if (draw) DrawBanner(target, banner);
}

}  // namespace

void StartLevel(ShellState& s, const LevelRecord* records) {
    HamsterCount = 0;
    ExitMask = 0;
    BuildLevel(records);
    s.toggleLatch = false;
    s.completeTimer = 0;
    s.levelComplete = false;
    StopHiss();
    FuseBurning = false;
    s.hud = HudState{};
    s.restartRequest = false;
}

bool RunFrame(ShellState& s, const ShellBitmaps& b, FrameIo& io) {
    BITMAP* buffer = b.backBuffer.get();
    const bool draw = s.drawing && buffer != nullptr;  // nothing to draw with before the assets are loaded
    if (draw) DrawBackground(buffer, b.background.get());
    s.hudTop = HudTopFor(kScreenHeight, b.hudHeight, EditMode);
    SampleInput(s, io);

    if (EditMode) {
        const HudClicks clicks = EditModeInput(s.hud, s.input, s.hudTop);
        if (clicks.restart) s.restartRequest = true;
        s.modeClicked = clicks.mode;
    }

    ExitMask = 0;
    FuseBurning = false;
    if (!EditMode) Simulate();
    if (draw) {
        DrawObjects(buffer);
        UpdateAndDrawParticles(buffer);
    }
    FollowFuseHiss();
    ToggleMode(s);

    // From here on the frame is drawn in the mode the toggle left.
    if (draw) {
        if (EditMode) DrawEditOverlays(buffer, s.hud, s.input);
        DrawHud(buffer, b.hud.get(), b.slider.get(), s.hudTop);
    }
    CountCompletion(s, draw, buffer, b.complete.get());
    if (draw) DrawCursor(buffer, b.cursor.get(), s.input.mouseX, s.input.mouseY, EditMode);
    io.Present(buffer);

    s.quitRequested = s.input.Key(kKeyF10) || io.CloseRequested();
    return !s.quitRequested && !s.levelComplete && !s.restartRequest;
}
