#include "choose/game_hooks.h"

#include <allegro.h>

#include "choose/chooser.h"
#include "choose/watch.h"
#include "levels/level_table.h"
#include "levels/sim_state.h"
#include "levels/world.h"
#include "objects/frame_globals.h"
#include "play/keys.h"
#include "progress/level_hash.h"
#include "shell/assets.h"
#include "shell/frame_loop.h"

GameHooks::GameHooks(FrameIo& player, std::string progressPath, std::vector<std::string> names, Report report,
                     double hintSeconds)
    : player_(player),
      report_(std::move(report)),
      keeper_(std::move(progressPath)),
      names_(std::move(names)),
      hints_(hintSeconds) {
    std::string message;
    keeper_.Load(progress_, message);
    if (!message.empty()) report_(message);
}

void GameHooks::LevelStarted(ShellState& state) {
    state_ = &state;
    recorder_.LevelStarted();
    // A restart keeps the level's hints (and that one was used).
    if (state.levelIndex != hintLevel_) hints_.Reset();
    hintLevel_ = state.levelIndex;
}

void GameHooks::Keep(const ShellState& state, const RunResult& run) {
    const uint64_t hash = LevelHash(LevelTable[state.levelIndex]);
    progress_.Record(hash, run, hints_.Used());
    keeper_.Keep(hash, run, hints_.Used());
}

void GameHooks::FinishKeeping() {
    keeper_.Wait();
    std::vector<std::string> said;
    keeper_.Poll(progress_, said);
    for (const std::string& line : said) report_(line);
}

bool GameHooks::Overlaid() const { return hints_.Showing(EditMode); }

void GameHooks::Present(BITMAP* frame) {
    if (frame && state_ && Overlaid()) hints_.Draw(frame, state_->hudTop, EditMode);
    player_.Present(frame);
}

void GameHooks::PresentUnchanged(BITMAP* frame) { player_.PresentUnchanged(frame); }

bool GameHooks::AfterFrame(ShellState& state, const ShellBitmaps& bitmaps, FrameIo&) {
    RunResult run;
    if (recorder_.AfterFrame(state.levelComplete, run)) Keep(state, run);
    std::vector<std::string> said;
    keeper_.Poll(progress_, said);
    for (const std::string& line : said) report_(line);
    const std::bitset<kKeyCount> pressed = state.input.keys & ~keysBefore_;
    keysBefore_ = state.input.keys;
    if (state.levelComplete || state.quitRequested || state.restartRequest) return true;

    hints_.Poll();
    if (pressed[KeyLetter('M')] && toggleMute) toggleMute();
    if (pressed[kKeyF11] && toggleFullscreen) toggleFullscreen();
    if (EditMode && pressed[KeyLetter('H')]) {
        std::vector<BombPlacement> placed;
        for (const RecordedBomb& b : PlacedBombs())
            placed.push_back({static_cast<int16_t>(b.x), static_cast<int16_t>(b.y), b.fuse});
        hints_.Ask(LevelTable[state.levelIndex], placed);
    }
    // A frame left alone is not drawn again: while hints show or change, it must be.
    const bool overlaid = Overlaid();
    if (overlaid || overlaidBefore_) state.drawnPicture = 0;
    overlaidBefore_ = overlaid;
    if (EditMode && pressed[KeyLetter('L')]) return Choose(state, bitmaps);
    return true;
}

bool GameHooks::Choose(ShellState& state, const ShellBitmaps& bitmaps) {
    int selected = state.levelIndex;
    InputSample held = state.input;
    // The level's picture, to put back under the chooser after a watch.
    BITMAP* buffer = bitmaps.backBuffer.get();
    BitmapHolder picture;
    if (buffer) {
        picture.Reset(create_bitmap(buffer->w, buffer->h));
        if (picture.get()) blit(buffer, picture.get(), 0, 0, 0, 0, buffer->w, buffer->h);
    }
    for (;;) {
        Chooser chooser(ListLevels(names_, progress_), selected);
        const ChooserChoice choice = RunChooser(chooser, bitmaps, player_, held);  // held: as the chooser closed
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
            // The level in play is put back exactly as it was afterwards.
            const SimSnapshot saved = SimSnapshot::Take();
            const ShellState savedShell = state;
            const LevelProgress* kept = progress_.Find(LevelHash(LevelTable[choice.level]));
            const WatchEnd end = kept ? WatchRun(LevelTable[choice.level], kept->best, bitmaps, player_,
                                                 watchFrameLimit)
                                      : WatchEnd{};
            StartLevel(state, LevelTable[savedShell.levelIndex]);
            saved.Restore();
            state = savedShell;
            state.drawnPicture = 0;
            if (end.quit) {
                state.quitRequested = true;
                return false;
            }
            if (picture.get()) blit(picture.get(), buffer, 0, 0, 0, 0, buffer->w, buffer->h);
            held = InputSample{};
            held.keys.set();  // nothing held now counts as a press in the chooser
            held.buttons = ~0;
            break;
        }
        }
    }
}
