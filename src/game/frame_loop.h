#pragma once
// One level's frames: the player's input turned into the simulation's
// commands, the world stepped, the frame drawn and shown, its sounds played.
#include <cstdint>

#include "game/hud_controls.h"
#include "game/input.h"
#include "sim/world.h"

struct Assets;
struct LevelRecord;
class FrameIo;

// The game in play: its world and the frame's own state across frames and
// levels.
struct GameState {
    World world;
    int levelIndex = 0;
    bool restartRequest = false;
    int nextLevel = -1;        // the level chosen to play next, -1: the usual one
    bool toggleLatch = false;  // one edit/run toggle per press
    int hudTop = 0;            // this frame's HUD top edge
    int prevButtons = 0;       // kept across levels
    bool quitRequested = false;  // F10 held, or the window closed, at the end of the last frame
    bool hissPlaying = false;  // the fuse hiss loops
    InputSample input;         // this frame's sample
    PlayerCommands commands;   // this frame's input record
    HudState hud;
    HudOptions hudOptions;     // the player's edition's additions; kept across levels
    // The level tools turn this off to simulate fast: every drawing call is
    // skipped, while input, physics, sound and the completion count run as
    // always. The hamster's flare puffs are emitted from its drawing, and
    // the particles are stepped as they are drawn, so both stop too; they
    // never touch the physics. Without loaded pictures nothing is drawn.
    bool drawing = true;
    // The key of the edit-mode picture drawn last (see EditPictureKey), or 0
    // when the last picture was anything else: the next frame is drawn.
    uint64_t drawnPicture = 0;

    bool LevelComplete() const { return world.LevelComplete; }
};

// Level start: the world built from records and every per-level state
// cleared. The hiss is the caller's to stop (StopHiss): it holds the io.
void StartLevel(GameState& state, const LevelRecord* records);
// One whole frame, presented. False when the frame loop should stop.
bool RunFrame(GameState& state, const Assets& assets, FrameIo& io);
// Stops the hiss if it plays (level start and end, the game's end).
void StopHiss(GameState& state, const Assets& assets, FrameIo& io);
