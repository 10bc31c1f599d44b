#include "features/game_hooks.h"

#include "features/chooser.h"
#include "features/watch.h"
#include "game/assets.h"
#include "game/drawing.h"
#include "game/frame_loop.h"
#include "game/hud_controls.h"
#include "game/keys.h"
#include "game/media_files.h"
#include "packs/level_hash.h"

GameHooks::GameHooks(FrameIo& player, const LevelList& levels, const Assets& assets, std::string progressPath,
                     Report report, double hintSeconds, ProgressKeeper::Writer writer)
    : player_(player),
      levels_(&levels),
      assets_(assets),
      report_(std::move(report)),
      keeper_(std::move(progressPath), writer),
      hints_(hintSeconds) {
    std::string message;
    keeper_.Load(progress_, message);
    if (!message.empty()) report_(message);
}

void GameHooks::LevelStarted(GameState& state) {
    state_ = &state;
    recorder_.LevelStarted();
    // A restart keeps the level's hints (and that one was used).
    if (state.levelIndex != hintLevel_) hints_.Reset();
    hintLevel_ = state.levelIndex;
}

void GameHooks::SwitchLevels(const LevelList& levels) {
    levels_ = &levels;
    hints_.Reset();
    hintLevel_ = -1;
}

void GameHooks::Keep(const GameState& state, const RunResult& run) {
    const uint64_t hash = LevelHash(Records(state.levelIndex));
    progress_.Record(hash, run, hints_.Used());
    keeper_.Keep(hash, run, hints_.Used());
}

void GameHooks::FinishKeeping() {
    keeper_.Wait();
    std::vector<std::string> said;
    keeper_.Poll(progress_, said);
    for (const std::string& line : said) report_(line);
}

void GameHooks::FollowGhost(GameState& state) {
    const InputSample& in = state.input;
    if (!(in.pressed & kLeftButton) || in.mouseY >= state.hudTop) return;
    // A bomb under the cursor took the click already, as the HUD gives it.
    for (const cBomb* bomb : state.world.BombList)
        if (BombUnderCursor(*bomb, in.mouseX, in.mouseY)) return;
    const BombPlacement* ghost = hints_.GhostAt(in.mouseX, in.mouseY);
    // Taken out of its slot, put where the ghost is, its fuse set: what a
    // drag there exactly and the fuse's buttons would do, between two frames
    // of edit mode, where nothing moves.
    if (ghost) Place(state.world, *ghost);
}

bool GameHooks::Overlaid() const { return state_ && hints_.Showing(state_->world.EditMode); }

void GameHooks::Present(Picture* frame) {
    if (frame && Overlaid()) hints_.Draw(frame, assets_, state_->hudTop, state_->world);
    player_.Present(frame);
}

void GameHooks::PresentUnchanged(Picture* frame) { player_.PresentUnchanged(frame); }

bool GameHooks::AfterFrame(GameState& state, const Assets& assets, FrameIo&) {
    RunResult run;
    if (recorder_.AfterFrame(state.world, run)) Keep(state, run);
    std::vector<std::string> said;
    keeper_.Poll(progress_, said);
    for (const std::string& line : said) report_(line);
    const std::bitset<kKeyCount> pressed = state.input.keys & ~keysBefore_;
    keysBefore_ = state.input.keys;
    if (state.LevelComplete() || state.quitRequested || state.restartRequest) return true;

    hints_.Poll();
    if (pressed[KeyLetter('M')] && toggleMute) toggleMute();
    if (pressed[kKeyF11] && toggleFullscreen) toggleFullscreen();
    const bool editing = state.world.EditMode;
    if (editing) FollowGhost(state);
    if (editing && pressed[KeyLetter('H')]) hints_.Ask(Records(state.levelIndex), PlacedBombs(state.world));
    // A frame left alone is not drawn again: while hints show or change, it must be.
    const bool overlaid = Overlaid();
    if (overlaid || overlaidBefore_) state.drawnPicture = 0;
    overlaidBefore_ = overlaid;
    if (editing && pressed[KeyLetter('L')]) {
        if (!chooserInFrames) return Choose(state, assets);
        chooserAsked_ = true;
    }
    return true;
}

bool GameHooks::Choose(GameState& state, const Assets& assets) {
    int selected = state.levelIndex;
    InputSample held = state.input;
    // The level's picture, to put back under the chooser after a watch.
    Picture* buffer = assets.backBuffer.get();
    BitmapHolder picture;
    if (buffer) {
        picture.Reset(NewPicture(PictureWidth(buffer), PictureHeight(buffer)));
        if (picture.get()) CopyPicture(buffer, picture.get(), 0, 0, 0, 0, PictureWidth(buffer), PictureHeight(buffer));
    }
    for (;;) {
        Chooser chooser(ListLevels(*levels_, progress_), selected);
        const ChooserChoice choice = RunChooser(chooser, assets, player_, held);  // held: as the chooser closed
        selected = choice.level;
        keysBefore_ = held.keys;
        state.drawnPicture = 0;
        switch (choice.kind) {
        case ChooserChoice::Back:
            // Whatever is still held must not act on the level: Esc would run it.
            state.toggleLatch = true;
            state.prevButtons = held.buttons;
            return true;
        case ChooserChoice::Quit:
            state.quitRequested = true;
            return false;
        case ChooserChoice::Play:
            state.nextLevel = choice.level;
            return false;
        case ChooserChoice::Watch: {
            // The watch plays a world of its own: the level in play stays as it is.
            const LevelProgress* kept = progress_.Find(LevelHash(Records(choice.level)));
            const WatchEnd end = kept ? WatchRun(Records(choice.level), kept->best, assets, player_, watchFrameLimit)
                                      : WatchEnd{};
            if (end.quit) {
                state.quitRequested = true;
                return false;
            }
            if (picture.get()) CopyPicture(picture.get(), buffer, 0, 0, 0, 0, PictureWidth(buffer), PictureHeight(buffer));
            held = InputSample{};
            held.keys.set();  // nothing held now counts as a press in the chooser
            held.buttons = ~0;
            break;
        }
        }
    }
}
