#pragma once
// What the game adds around the frames of its levels, all reached through
// keys the frame does not read: L opens the level chooser (edit mode), H
// asks for a hint (edit mode; a click on its ghost places the bomb), M
// switches the sound, F11 full screen. Every
// completed level is kept in the progress file. It is also the frames' io:
// it hands on the player's io and draws the hints over the finished frame.
#include <bitset>
#include <functional>
#include <string>
#include <vector>

#include "features/hints.h"
#include "features/run_recorder.h"
#include "game/frame_io.h"
#include "game/game_flow.h"
#include "game/input.h"
#include "packs/pack_model.h"
#include "progress/progress.h"
#include "progress/progress_keeper.h"

class GameHooks : public LevelHooks, public FrameIo {
public:
    using Report = std::function<void(const std::string& line)>;
    // levels: those played, with their names; assets: what they are drawn
    // with. progressPath empty: nothing is kept. One-line messages (a bad or
    // unwritable file) go to report.
    GameHooks(FrameIo& player, const LevelList& levels, const Assets& assets, std::string progressPath, Report report,
              double hintSeconds = 20, ProgressKeeper::Writer writer = ProgressKeeper::Writer::OwnThread);

    std::function<void()> toggleMute;
    std::function<void()> toggleFullscreen;
    int watchFrameLimit = 36000;
    // L asks for the chooser (ChooserAsked) instead of running it in a loop
    // of its own: for a caller that owns the frames (the player's edition,
    // which the web page's loop drives).
    bool chooserInFrames = false;
    bool ChooserAsked() {
        const bool asked = chooserAsked_;
        chooserAsked_ = false;
        return asked;
    }

    // Another list of levels played from now on (another set, with no level
    // in play): the hints of a level of the old one are forgotten.
    void SwitchLevels(const LevelList& levels);

    const Progress& KeptProgress() const { return progress_; }
    // Until the completed levels handed to the progress file are written,
    // and what that said reported.
    void FinishKeeping();
    Hints& HintsInPlay() { return hints_; }

    void LevelStarted(GameState& state) override;
    bool AfterFrame(GameState& state, const Assets& assets, FrameIo& io) override;

    void Sample(InputSample& sample) override { player_.Sample(sample); }
    void Present(Picture* frame) override;
    void PresentUnchanged(Picture* frame) override;
    void PlaySound(Sound* sound, int frequency, bool loop) override { player_.PlaySound(sound, frequency, loop); }
    void StopSound(Sound* sound) override { player_.StopSound(sound); }
    bool CloseRequested() override { return player_.CloseRequested(); }
    bool QuitHeld() override { return player_.QuitHeld(); }
    void ShowTitle(const char* title) override { player_.ShowTitle(title); }

private:
    void Keep(const GameState& state, const RunResult& run);
    // A click on a hint's ghost places its bomb there.
    void FollowGhost(GameState& state);
    // The chooser over the level in play; false when the level ends for it.
    bool Choose(GameState& state, const Assets& assets);
    bool Overlaid() const;
    const LevelRecord* Records(int level) const { return (*levels_)[static_cast<size_t>(level)].records.data(); }

    FrameIo& player_;
    const LevelList* levels_;
    const Assets& assets_;
    Report report_;
    ProgressKeeper keeper_;
    Progress progress_;
    RunRecorder recorder_;
    Hints hints_;
    int hintLevel_ = -1;
    std::bitset<kKeyCount> keysBefore_;
    const GameState* state_ = nullptr;
    bool overlaidBefore_ = false;
    bool chooserAsked_ = false;
};
