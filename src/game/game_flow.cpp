#include "game/game_flow.h"

#include "game/frame_io.h"
#include "game/frame_loop.h"

void EndLevel(GameState& s) {
    s.world.Clear();
    if (s.nextLevel >= 0)
        s.levelIndex = s.nextLevel;
    else if (!s.restartRequest)
        s.levelIndex += 1;
    s.nextLevel = -1;
    s.world.EditMode = true;
}

namespace {

void StartLevelAt(GameState& s, const LevelList& levels, const Assets& assets, FrameIo& io, LevelHooks* hooks) {
    StartLevel(s, levels[static_cast<size_t>(s.levelIndex)].records.data());
    StopHiss(s, assets, io);
    if (hooks) hooks->LevelStarted(s);
}

int Count(const LevelList& levels) { return static_cast<int>(levels.size()); }

}  // namespace

bool BeginLevels(GameState& s, const LevelList& levels, const Assets& assets, FrameIo& io, int firstLevel,
                 LevelHooks* hooks) {
    s.levelIndex = firstLevel;
    if (Count(levels) <= 0 || firstLevel < 0 || firstLevel >= Count(levels) || io.QuitHeld()) return false;
    StartLevelAt(s, levels, assets, io, hooks);
    return true;
}

bool PlayLevelFrame(GameState& s, const LevelList& levels, const Assets& assets, FrameIo& io, LevelHooks* hooks) {
    const bool goOn = RunFrame(s, assets, io);
    // The hooks see every frame, the level's last one too.
    if (hooks ? hooks->AfterFrame(s, assets, io) && goOn : goOn) return true;
    EndLevel(s);
    if (s.levelIndex >= Count(levels) || s.levelIndex < 0 || s.quitRequested) {
        // Nothing burns after the last frame; the hiss must not outlive the game.
        StopHiss(s, assets, io);
        return false;
    }
    StartLevelAt(s, levels, assets, io, hooks);
    return true;
}

void PlayLevels(GameState& s, const LevelList& levels, const Assets& assets, FrameIo& io, int firstLevel,
                LevelHooks* hooks) {
    if (!BeginLevels(s, levels, assets, io, firstLevel, hooks)) return;
    while (PlayLevelFrame(s, levels, assets, io, hooks)) {
    }
}
