#pragma once
// The level sequence: every level of a level list in order, until the last
// is complete or the player quits.
#include "packs/pack_model.h"

struct GameState;
struct Assets;
class FrameIo;

// What the game adds around the frames of its levels (the level chooser,
// hints, kept progress). Without one, the levels play as they always have.
class LevelHooks {
public:
    virtual ~LevelHooks() = default;
    // The level's world is built, before its first frame.
    virtual void LevelStarted(GameState&) {}
    // After every frame. False ends the level; state.nextLevel, when set,
    // says which one follows.
    virtual bool AfterFrame(GameState&, const Assets&, FrameIo&) { return true; }
};

void PlayLevels(GameState& state, const LevelList& levels, const Assets& assets, FrameIo& io, int firstLevel = 0,
                LevelHooks* hooks = nullptr);
// The same one frame at a time, for a caller that owns the loop (the web
// page's): BeginLevels starts the first level (false: nothing to play), then
// each PlayLevelFrame runs one frame and moves to the next level when one
// ends; false when the game is over.
bool BeginLevels(GameState& state, const LevelList& levels, const Assets& assets, FrameIo& io, int firstLevel = 0,
                 LevelHooks* hooks = nullptr);
bool PlayLevelFrame(GameState& state, const LevelList& levels, const Assets& assets, FrameIo& io,
                    LevelHooks* hooks = nullptr);
// Level end: the objects destroyed, the next level chosen, edit mode again.
void EndLevel(GameState& state);
