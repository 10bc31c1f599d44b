#include "edition/level_play.h"

#include <algorithm>

#include "edition/fixed_bombs.h"
#include "features/game_hooks.h"
#include "game/drawing.h"
#include "game/frame_draw.h"
#include "game/game_flow.h"
#include "game/keys.h"
#include "game/media_files.h"
#include "game/window_title.h"
#include "packs/level_hash.h"
#include "sim/play_field.h"

namespace edition {

namespace {

constexpr int kFastKey = KeyLetter('F');
constexpr int kPauseKey = KeyLetter('P');
constexpr int kUndoKey = KeyLetter('Z');

// Every key of the edition, over the HUD picture's own help line, which
// names only the plain game's.
constexpr const char* kHelpLines[2] = {
    "SPACE/ESC run/edit  DRAG move  +/- fuse  ARROWS nudge  1-5 select  CTRL+Z undo",
    "H hint  L levels  P pause  hold F fast  M sound  F11 screen  F10 title",
};
constexpr int kHelpTop = 55;  // rows into the HUD

}  // namespace

LevelPlay::LevelPlay(const LevelList& levels, const Assets& assets, GameHooks& hooks, const Settings& settings)
    : levels_(&levels), assets_(assets), hooks_(hooks), settings_(settings), io_(*this, hooks) {}

void LevelPlay::Start(int level) {
    state_.levelIndex = level;
    state_.nextLevel = -1;
    state_.restartRequest = false;
    state_.quitRequested = false;
    // What the screen before left held is no press here: the click that
    // chose the level, the Space or Esc of a menu.
    state_.prevButtons = kLeftButton | kRightButton;
    keysBefore_.set();
    Begin();
    state_.toggleLatch = true;
}

bool LevelPlay::Next() {
    EndLevel(state_);
    if (state_.levelIndex >= static_cast<int>(levels_->size())) {
        Leave();
        return false;
    }
    Start(state_.levelIndex);
    return true;
}

void LevelPlay::Begin() {
    const PackLevel& level = (*levels_)[static_cast<size_t>(state_.levelIndex)];
    StartLevel(state_, level.records.data());
    StopHiss(state_, assets_, hooks_);
    hooks_.LevelStarted(state_);
    watch_.LevelStarted(state_.world);
    history_.LevelStarted(state_.world);
    const LevelProgress* kept = hooks_.KeptProgress().Find(LevelHash(level.records.data()));
    bestBefore_ = kept ? std::optional<LevelProgress>(*kept) : std::nullopt;
    label_ = LabelOf(state_.levelIndex, level.name);
    levelFrames_ = 0;
    paused_ = false;
    fast_ = false;
    const std::string title = std::string(kWindowTitle) + " \u2014 " + LabelText(label_);
    hooks_.ShowTitle(title.c_str());
}

void LevelPlay::Leave() {
    StopHiss(state_, assets_, hooks_);
    hooks_.HintsInPlay().Reset();  // a search under way is of no use on the title
    paused_ = false;
    state_.world.Clear();
    state_.world.EditMode = true;
    hooks_.ShowTitle(kWindowTitle);
}

LevelPlay::Outcome LevelPlay::Frame() {
    InputSample live;
    hooks_.Sample(live);
    const std::bitset<kKeyCount> pressed = live.keys & ~keysBefore_;
    keysBefore_ = live.keys;
    io_.sample = live;
    const Assists& assists = settings_.assists;
    state_.hudOptions.dropReturnsBomb = assists.undo;
    World& world = state_.world;

    bool resumed = false;
    if (paused_) {
        const bool toggle = pressed[kKeyEsc] || pressed[kKeySpace] || (live.buttons & ~state_.prevButtons & kRightButton);
        if (live.Key(kKeyF10) || hooks_.CloseRequested() || pressed[kPauseKey] || toggle) {
            paused_ = false;  // the frame below acts on what was pressed
            resumed = true;
        } else {
            PausedFrame();
            return Outcome::Playing;
        }
    }
    if (world.EditMode && assists.undo && live.Ctrl() && pressed[kUndoKey]) history_.Undo(world);
    if (!world.EditMode && assists.pause && pressed[kPauseKey] && !resumed && !live.Key(kKeyF10)) {
        Pause();
        return Outcome::Playing;
    }
    fast_ = assists.fastForward && !world.EditMode && live.Key(kFastKey);
    const int steps = fast_ ? kFastSteps : 1;
    // The banner and the clock change from frame to frame: such frames are drawn.
    if (levelFrames_ <= kBannerFrames + 1) state_.drawnPicture = 0;
    bool ended = false;
    for (int step = 0; step < steps && !ended; ++step) {
        io_.unshown = step + 1 < steps;
        const bool goOn = RunFrame(state_, assets_, io_);
        ended = !(hooks_.AfterFrame(state_, assets_, io_) && goOn);
        watch_.AfterStep(world);
        if (world.EditMode) history_.AfterFrame(world, state_.input.buttons != 0);
        ++levelFrames_;
        io_.sample.typedCount = 0;  // typed once, not once a step
        if (world.EditMode) break;  // back in edit mode: nothing more to hurry
    }
    if (io_.unshown) {
        // Ended before the last step: what was drawn last is shown.
        io_.unshown = false;
        if (Picture* buffer = assets_.backBuffer.get()) io_.Present(buffer);
    }
    if (ended) return Ended();
    return hooks_.ChooserAsked() ? Outcome::Levels : Outcome::Playing;
}

void LevelPlay::Resume() {
    state_.toggleLatch = true;
    state_.prevButtons = kLeftButton | kRightButton;
    keysBefore_.set();
    state_.drawnPicture = 0;
}

LevelPlay::Outcome LevelPlay::Ended() {
    if (hooks_.CloseRequested()) return Outcome::Quit;
    if (state_.LevelComplete()) {
        result_ = LevelResult{state_.levelIndex, label_, static_cast<int>(PlacedBombs(state_.world).size()),
                              watch_.RunFrames(), hooks_.HintsInPlay().Used(), bestBefore_};
        StopHiss(state_, assets_, hooks_);
        return Outcome::Complete;
    }
    if (state_.quitRequested) {
        Leave();
        return Outcome::Title;
    }
    // The restart button, or another level chosen in the chooser.
    EndLevel(state_);
    if (state_.levelIndex < 0 || state_.levelIndex >= static_cast<int>(levels_->size())) {
        Leave();
        return Outcome::Title;
    }
    Begin();
    return Outcome::Playing;
}

void LevelPlay::Pause() {
    Picture* buffer = assets_.backBuffer.get();
    paused_ = true;
    StopHiss(state_, assets_, hooks_);
    if (buffer) {
        if (!pausedPicture_.get()) pausedPicture_.Reset(NewPicture(PictureWidth(buffer), PictureHeight(buffer)));
        if (pausedPicture_.get())
            CopyPicture(buffer, pausedPicture_.get(), 0, 0, 0, 0, PictureWidth(buffer), PictureHeight(buffer));
    }
    PausedFrame();
}

void LevelPlay::PausedFrame() {
    Picture* buffer = assets_.backBuffer.get();
    if (buffer && pausedPicture_.get()) {
        CopyPicture(pausedPicture_.get(), buffer, 0, 0, 0, 0, PictureWidth(buffer), PictureHeight(buffer));
        const char* keys = "P: go on   Esc: back to edit mode   F10: title";
        const int half = Width(keys) / 2 + 20;
        Panel(buffer, kScreenWidth / 2 - half, 150, kScreenWidth / 2 + half - 1, 262);
        BlockWord(buffer, "PAUSED", kScreenWidth / 2, 166, 7);
        TextCentred(buffer, keys, kScreenWidth / 2, 240, Grey());
    }
    hooks_.Present(buffer);
}

void LevelPlay::StepIo::Present(Picture* frame) {
    if (unshown) return;
    if (frame) play_.DrawOverlays(frame);
    next_.Present(frame);
}

void LevelPlay::DrawOverlays(Picture* frame) {
    const World& world = state_.world;
    const Assists& assists = settings_.assists;
    if (assists.fixedFuses) {
        ForFixedBombs(world, [&](const cFixedBomb& bomb) {
            const int x = bomb.x.Whole(), y = bomb.y.Whole();
            if (bomb.Count > 0 && x > -kBombHalf && x < kScreenWidth + kBombHalf && y > -kBombHalf && y < state_.hudTop)
                DrawFuseAbove(frame, assets_, x, y, bomb.Count);
        });
    }
    if (world.EditMode) {
        // The exits say what they are, small, inside their top edge.
        for (cObject* o : world.ObjectList) {
            if (o->Kind() != KIND_EXIT) continue;
            const Box b = o->WorldBox();
            if (b.w >= Width("exit") + 4 && b.h >= 12) TextCentred(frame, "exit", b.x + b.w / 2, b.y + 3, Grey());
        }
        const int top = state_.hudTop + kHelpTop;
        ShadeBox(frame, 4, top, kScreenWidth - 5, top + 22, PanelBlue(), 230);
        for (int i = 0; i < 2; ++i) TextCentred(frame, kHelpLines[i], kScreenWidth / 2, top + 2 + 11 * i, Grey());
    }
    DrawHudTab(frame);
    if (levelFrames_ < kBannerFrames) {
        const int width = std::max(LabelWidth(label_), Width("Bring every hamster home to an exit")) + 48;
        const int left = (kScreenWidth - width) / 2;
        Panel(frame, left, 60, left + width - 1, 119);
        DrawLabel(frame, label_, (kScreenWidth - LabelWidth(label_)) / 2, 74, Amber());
        const bool one = world.HamsterCount <= 1;
        TextCentred(frame, one ? "Bring the hamster home to the exit" : "Bring every hamster home to an exit",
                    kScreenWidth / 2, 96, White());
    }
    if (!world.EditMode && watch_.Lost()) {
        const std::string text = world.HamsterCount == 1
                                     ? "The hamster is lost: Esc or right-click to try again"
                                     : "A hamster is lost: Esc or right-click to try again";
        const int width = Width(text) + 32;
        const int left = (kScreenWidth - width) / 2;
        Panel(frame, left, 140, left + width - 1, 171);
        TextCentred(frame, text, kScreenWidth / 2, 152, Red());
    }
}


void LevelPlay::DrawHudTab(Picture* frame) {
    std::string extra;
    if (!state_.world.EditMode && settings_.assists.runClock) extra = SecondsText(watch_.RunFrames());
    if (fast_) extra = ">> x4  " + extra;
    const int gap = extra.empty() ? 0 : Width(extra) + 16;
    const int width = LabelWidth(label_) + gap + 12;
    const int right = kScreenWidth - 4, left = right - width;
    const int top = state_.hudTop - 16;
    FillBox(frame, left, top, right, state_.hudTop - 3, PanelBlue());
    if (!extra.empty()) Text(frame, extra, left + 6, top + 3, White());
    DrawLabel(frame, label_, left + 6 + gap, top + 3, Amber());
}

}  // namespace edition
