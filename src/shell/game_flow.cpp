#include "shell/game_flow.h"

#include "levels/level_table.h"
#include "levels/world.h"
#include "objects/frame_globals.h"
#include "shell/frame_io.h"
#include "shell/frame_loop.h"

void EndLevel(ShellState& s) {
    DestroyWorldObjects();
    SelectedBomb = nullptr;  // it pointed at a bomb just destroyed
    if (!s.restartRequest) s.levelIndex += 1;
    EditMode = true;
}

bool BeginLevels(ShellState& s, FrameIo& io) {
    s.levelIndex = 0;
    if (LevelCount <= 0 || io.QuitHeld()) return false;
    StartLevel(s, LevelTable[s.levelIndex]);
    return true;
}

bool PlayLevelFrame(ShellState& s, const ShellBitmaps& bitmaps, FrameIo& io) {
    if (RunFrame(s, bitmaps, io)) return true;
    EndLevel(s);
    if (s.levelIndex >= LevelCount || s.quitRequested) {
        // Nothing burns after the last frame; the hiss must not outlive the game.
        StopHiss();
        return false;
    }
    StartLevel(s, LevelTable[s.levelIndex]);
    return true;
}

void PlayLevels(ShellState& s, const ShellBitmaps& bitmaps, FrameIo& io) {
    if (!BeginLevels(s, io)) return;
    while (PlayLevelFrame(s, bitmaps, io)) {
    }
}
