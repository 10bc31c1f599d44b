#pragma once
// What the game adds around the frames of its levels, all reached through
// keys the frame does not read: L opens the level chooser (edit mode), H
// asks for a hint (edit mode), M switches the sound, F11 full screen. Every
// completed level is kept in the progress file. It is also the frames' io:
// it hands on the player's io and draws the hints over the finished frame.
#include <bitset>
#include <functional>
#include <string>
#include <vector>

#include "choose/hints.h"
#include "progress/progress.h"
#include "progress/progress_keeper.h"
#include "progress/run_recorder.h"
#include "shell/frame_io.h"
#include "shell/game_flow.h"
#include "play/input.h"

class GameHooks : public LevelHooks, public FrameIo {
public:
    using Report = std::function<void(const std::string& line)>;
    // progressPath empty: nothing is kept. names: the levels' names, if any.
    // One-line messages (a bad or unwritable file) go to report.
    GameHooks(FrameIo& player, std::string progressPath, std::vector<std::string> names, Report report,
              double hintSeconds = 20);

    std::function<void()> toggleMute;
    std::function<void()> toggleFullscreen;
    int watchFrameLimit = 36000;

    const Progress& KeptProgress() const { return progress_; }
    // Until the completed levels handed to the progress file are written,
    // and what that said reported.
    void FinishKeeping();
    Hints& HintsInPlay() { return hints_; }

    void LevelStarted(ShellState& state) override;
    bool AfterFrame(ShellState& state, const ShellBitmaps& bitmaps, FrameIo& io) override;

    void Sample(InputSample& sample) override { player_.Sample(sample); }
    void Present(BITMAP* frame) override;
    void PresentUnchanged(BITMAP* frame) override;
    bool CloseRequested() override { return player_.CloseRequested(); }
    bool QuitHeld() override { return player_.QuitHeld(); }

private:
    void Keep(const ShellState& state, const RunResult& run);
    // The chooser over the level in play; false when the level ends for it.
    bool Choose(ShellState& state, const ShellBitmaps& bitmaps);
    bool Overlaid() const;

    FrameIo& player_;
    Report report_;
    ProgressKeeper keeper_;
    Progress progress_;
    std::vector<std::string> names_;
    RunRecorder recorder_;
    Hints hints_;
    int hintLevel_ = -1;
    std::bitset<kKeyCount> keysBefore_;
    const ShellState* state_ = nullptr;
    bool overlaidBefore_ = false;
};
