#include "game/game_flow.h"

#include "packs/level_table.h"
#include "sim/world.h"
#include "sim/frame_globals.h"
#include "game/frame_io.h"
#include "game/frame_loop.h"

void EndLevel(ShellState& s) {
    DestroyWorldObjects();
    SelectedBomb = nullptr;  // it pointed at a bomb just destroyed
    if (s.nextLevel >= 0)
        s.levelIndex = s.nextLevel;
    else if (!s.restartRequest)
        s.levelIndex += 1;
    s.nextLevel = -1;
    EditMode = true;
}

namespace {

void StartLevelAt(ShellState& s, LevelHooks* hooks) {
    StartLevel(s, LevelTable[s.levelIndex]);
    if (hooks) hooks->LevelStarted(s);
}

}  // namespace

bool BeginLevels(ShellState& s, FrameIo& io, int firstLevel, LevelHooks* hooks) {
    s.levelIndex = firstLevel;
    if (LevelCount <= 0 || firstLevel >= LevelCount || io.QuitHeld()) return false;
    StartLevelAt(s, hooks);
    return true;
}

bool PlayLevelFrame(ShellState& s, const ShellBitmaps& bitmaps, FrameIo& io, LevelHooks* hooks) {
    const bool goOn = RunFrame(s, bitmaps, io);
    // The hooks see every frame, the level's last one too.
    if (hooks ? hooks->AfterFrame(s, bitmaps, io) && goOn : goOn) return true;
    EndLevel(s);
    if (s.levelIndex >= LevelCount || s.quitRequested) {
        // Nothing burns after the last frame; the hiss must not outlive the game.
        StopHiss();
        return false;
    }
    StartLevelAt(s, hooks);
    return true;
}

void PlayLevels(ShellState& s, const ShellBitmaps& bitmaps, FrameIo& io, int firstLevel, LevelHooks* hooks) {
    if (!BeginLevels(s, io, firstLevel, hooks)) return;
    while (PlayLevelFrame(s, bitmaps, io, hooks)) {
    }
}
