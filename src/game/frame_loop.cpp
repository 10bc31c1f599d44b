#include "game/frame_loop.h"

#include "game/assets.h"
#include "game/frame_draw.h"
#include "game/frame_io.h"
#include "game/keys.h"
#include "sim/play_field.h"
#include "sim/step.h"

namespace {

void SampleInput(GameState& s, FrameIo& io) {
    InputSample& in = s.input;
    in.keys.reset();
    io.Sample(in);
    in.pressed = in.buttons & ~s.prevButtons;
    in.released = s.prevButtons & ~in.buttons;
    s.prevButtons = in.buttons;
}

// The hiss loops exactly while some fuse burns on the play-field.
void FollowFuseHiss(GameState& s, const Assets& a, FrameIo& io) {
    if (s.world.FuseBurning && !s.hissPlaying) {
        io.PlaySound(a.SoundFor(SoundId::Hiss), kOwnRate, true);
        s.hissPlaying = true;
    } else if (!s.world.FuseBurning && s.hissPlaying) {
        StopHiss(s, a, io);
    }
}

// Space, Esc, the right button (unless it sets a fuse) or the HUD's mode
// button switch the mode, once per press; a right click with a bomb
// selected only deselects it, and Space keeps the selection.
Toggle ModeToggle(GameState& s, bool modeClicked, bool bombSelected) {
    const InputSample& in = s.input;
    const bool space = in.Key(kKeySpace);
    const bool right = (in.buttons & kRightButton) != 0;
    if (!(space || in.Key(kKeyEsc) || (right && !s.hud.fuseDrag) || modeClicked)) {
        s.toggleLatch = false;
        return Toggle::None;
    }
    if (s.toggleLatch) return Toggle::None;
    s.toggleLatch = true;
    if (right && bombSelected) return Toggle::Deselect;
    return space ? Toggle::KeepSelection : Toggle::ClearSelection;
}

// The key of this edit-mode frame's picture, or 0 when it may differ from
// every earlier one: in run mode, with particles flying, or when the toggle
// acts.
uint64_t StillPicture(const GameState& s) {
    const World& w = s.world;
    if (!w.EditMode || s.commands.toggle != Toggle::None || LiveParticleCount(w.ParticlePool) != 0) return 0;
    return EditPictureKey(s.hud, s.input, s.hudTop, w);
}

}  // namespace

void StopHiss(GameState& s, const Assets& a, FrameIo& io) {
    if (s.hissPlaying) io.StopSound(a.SoundFor(SoundId::Hiss));
    s.hissPlaying = false;
}

void StartLevel(GameState& s, const LevelRecord* records) {
    World& w = s.world;
    w.HamsterCount = 0;
    w.ExitMask = 0;
    BuildLevel(w, records);
    w.FuseBurning = false;
    w.CompleteTimer = 0;
    w.LevelComplete = false;
    s.toggleLatch = false;
    s.hud = HudState{};
    s.restartRequest = false;
    s.drawnPicture = 0;
}

bool RunFrame(GameState& s, const Assets& a, FrameIo& io) {
    World& w = s.world;
    Picture* buffer = a.backBuffer.get();
    bool draw = s.drawing && buffer != nullptr;  // nothing to draw with before the assets are loaded
    s.hudTop = HudTopFor(kScreenHeight, a.hudHeight, w.EditMode);
    SampleInput(s, io);

    PlayerCommands& commands = s.commands;
    commands = PlayerCommands{};
    bool modeClicked = false, bombSelected = w.SelectedBomb != nullptr;
    if (w.EditMode) {
        const HudClicks clicks = EditModeInput(s.hud, s.input, s.hudTop, w, commands, s.hudOptions);
        if (clicks.restart) s.restartRequest = true;
        modeClicked = clicks.mode;
        bombSelected = clicks.bombSelected;
    }
    commands.toggle = ModeToggle(s, modeClicked, bombSelected);

    StepMotion(w, commands);
    for (const SoundEvent& e : w.Sounds) io.PlaySound(a.SoundFor(e.id), e.frequency, false);
    // A puzzle left alone in edit mode draws the same picture frame after
    // frame: it is drawn once, then only counted. Nothing here changes the
    // play: in edit mode with no particle alive, drawing has no side effects.
    const uint64_t picture = draw ? StillPicture(s) : 0;
    const bool unchanged = picture != 0 && picture == s.drawnPicture;
    if (unchanged) draw = false;
    s.drawnPicture = draw ? picture : unchanged ? s.drawnPicture : 0;
    // The objects are drawn where the motion left them, before a return to
    // edit mode puts them back.
    if (draw) {
        DrawBackground(buffer, a.background.get());
        DrawObjects(buffer, w, a);
        UpdateAndDrawParticles(buffer, w, a);
    }
    FollowFuseHiss(s, a, io);
    StepSettle(w, commands);

    // From here on the frame is drawn in the mode the toggle left.
    if (draw) {
        if (w.EditMode) DrawEditOverlays(buffer, s.hud, s.input, w);
        DrawHud(buffer, a, s.hudTop, w);
        if (AllHamstersHome(w)) DrawBanner(buffer, a.complete.get());
        DrawCursor(buffer, a.cursor.get(), s.input.mouseX, s.input.mouseY, w.EditMode);
    }
    if (unchanged)
        io.PresentUnchanged(buffer);
    else
        io.Present(buffer);

    s.quitRequested = s.input.Key(kKeyF10) || io.CloseRequested();
    return !s.quitRequested && !w.LevelComplete && !s.restartRequest;
}
