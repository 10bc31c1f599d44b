#include "game/frame_loop.h"

#include "sim/world.h"
#include "sim/asset_handles.h"
#include "sim/frame_globals.h"
#include "sim/object.h"
#include "sim/particles.h"
#include "sim/play_field.h"
#include "sim/presentation.h"
#include "game/frame_draw.h"
#include "game/keys.h"
#include "game/assets.h"
#include "game/frame_io.h"

bool HissPlaying = false;

void StopHiss() {
    if (HissPlaying) StopSample(HissSample);
    HissPlaying = false;
}

namespace {

void SampleInput(ShellState& s, FrameIo& io) {
    InputSample& in = s.input;
    in.keys.reset();
    io.Sample(in);
    in.pressed = in.buttons & ~s.prevButtons;
    in.released = s.prevButtons & ~in.buttons;
    s.prevButtons = in.buttons;
    s.modeClicked = false;
}

void Simulate() {
    // The size is read at every index: Collide is handed the list itself.
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        cObject* o = ObjectList[i];
        o->Collide(ObjectList);
        o->Step();
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

bool ToggleTrigger(const ShellState& s) {
    const InputSample& in = s.input;
    const bool right = (in.buttons & kRightButton) != 0;
    return in.Key(kKeySpace) || in.Key(kKeyEsc) || (right && !s.hud.fuseDrag) || s.modeClicked;
}

void ToggleMode(ShellState& s) {
    const InputSample& in = s.input;
    const bool space = in.Key(kKeySpace);
    const bool right = (in.buttons & kRightButton) != 0;
    const bool trigger = ToggleTrigger(s);
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

// The key of this edit-mode frame's picture, or 0 when it may differ from
// every earlier one: in run mode, with particles flying, or when the toggle
// is about to act.
uint64_t StillPicture(const ShellState& s) {
    if (!EditMode || (ToggleTrigger(s) && !s.toggleLatch) || LiveParticleCount() != 0) return 0;
    return EditPictureKey(s.hud, s.input, s.hudTop);
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
    s.drawnPicture = 0;
}

bool RunFrame(ShellState& s, const ShellBitmaps& b, FrameIo& io) {
    BITMAP* buffer = b.backBuffer.get();
    bool draw = s.drawing && buffer != nullptr;  // nothing to draw with before the assets are loaded
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
    // A puzzle left alone in edit mode draws the same picture frame after
    // frame: it is drawn once, then only counted. Nothing here changes the
    // play: in edit mode with no particle alive, drawing has no side effects.
    const uint64_t picture = draw ? StillPicture(s) : 0;
    const bool unchanged = picture != 0 && picture == s.drawnPicture;
    if (unchanged) draw = false;
    s.drawnPicture = draw ? picture : unchanged ? s.drawnPicture : 0;
    if (draw) {
        DrawBackground(buffer, b.background.get());
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
    if (unchanged)
        io.PresentUnchanged(buffer);
    else
        io.Present(buffer);

    s.quitRequested = s.input.Key(kKeyF10) || io.CloseRequested();
    return !s.quitRequested && !s.levelComplete && !s.restartRequest;
}
