#pragma once
// A level of the player's edition: the game's own frames (RunFrame), with
// the hooks the plain game has too (progress, the chooser, hints), and what
// the edition adds around them, none of which changes a step of the
// simulation: the level's name at its start and in the HUD, the help line
// with every key, a notice when the run has failed, the fuses of fixed
// bombs, the run clock, pause (P), fast-forward (F held: four steps a shown
// frame, only the last drawn) and undo (Ctrl+Z, a bomb dragged back onto
// the inventory).
#include <bitset>
#include <optional>
#include <string>

#include "edition/edition_draw.h"
#include "edition/placement_history.h"
#include "edition/run_watch.h"
#include "game/assets.h"
#include "game/frame_io.h"
#include "game/frame_loop.h"
#include "packs/pack_model.h"
#include "progress/progress.h"
#include "progress/settings.h"

class GameHooks;

namespace edition {

constexpr int kBannerFrames = 120;  // the level's name over the field at its start
constexpr int kFastSteps = 4;       // steps a shown frame while F is held

// A completed level, as its result screen tells it.
struct LevelResult {
    int level = 0;  // from 0
    LevelLabel label;
    int bombs = 0;
    int frame = 0;  // the completion frame, from the run's start
    bool hinted = false;
    std::optional<LevelProgress> bestBefore;  // what was kept before this run
};

class LevelPlay {
public:
    enum class Outcome { Playing, Complete, Title, Quit, Levels };

    // hooks: the frames' io and the plain game's additions (progress,
    // chooser, hints), around the player's own io.
    LevelPlay(const LevelList& levels, const Assets& assets, GameHooks& hooks, const Settings& settings);

    // The level built, its first frame to come. Buttons and keys still down
    // from the screen before do not act in it.
    void Start(int level);
    // One shown frame (up to kFastSteps steps of the world).
    Outcome Frame();
    // After a completion: the next level started; false after the last.
    bool Next();
    // The level in play, or the one left last (a completion moves on by itself).
    int Level() const { return state_.levelIndex; }
    const LevelResult& Result() const { return result_; }
    // Back from the chooser over the level: what is still held does not act on it.
    void Resume();
    // Leaves the level (for the title): the hiss stops, the world is cleared.
    void Leave();
    // Another list of levels (another set), with no level in play.
    void SwitchLevels(const LevelList& levels) { levels_ = &levels; }

    GameState& State() { return state_; }
    const RunWatch& Watch() const { return watch_; }
    const PlacementHistory& History() const { return history_; }
    bool Paused() const { return paused_; }
    int LevelFrames() const { return levelFrames_; }

private:
    // The frames' io: this shown frame's input for every step of it, the
    // edition's overlays drawn over the picture shown, nothing shown of
    // fast-forward's unshown steps.
    class StepIo : public FrameIo {
    public:
        StepIo(LevelPlay& play, FrameIo& next) : play_(play), next_(next) {}
        InputSample sample;
        bool unshown = false;

        void Sample(InputSample& s) override { s = sample; }
        void Present(Picture* frame) override;
        void PresentUnchanged(Picture* frame) override {
            if (!unshown) next_.PresentUnchanged(frame);
        }
        void PlaySound(Sound* sound, int frequency, bool loop) override { next_.PlaySound(sound, frequency, loop); }
        void StopSound(Sound* sound) override { next_.StopSound(sound); }
        bool CloseRequested() override { return next_.CloseRequested(); }
        bool QuitHeld() override { return next_.QuitHeld(); }

    private:
        LevelPlay& play_;
        FrameIo& next_;
    };

    void Begin();
    void DrawOverlays(Picture* frame);
    void DrawHudTab(Picture* frame);
    void PausedFrame();
    void Pause();
    Outcome Ended();

    const LevelList* levels_;
    const Assets& assets_;
    GameHooks& hooks_;
    const Settings& settings_;
    GameState state_;
    StepIo io_;
    RunWatch watch_;
    PlacementHistory history_;
    LevelResult result_;
    std::optional<LevelProgress> bestBefore_;
    LevelLabel label_;
    int levelFrames_ = 0;
    bool paused_ = false;
    bool fast_ = false;
    BitmapHolder pausedPicture_;
    std::bitset<kKeyCount> keysBefore_;
};

}  // namespace edition
