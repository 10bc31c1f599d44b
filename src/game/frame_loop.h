#pragma once
// One level's frames: input, simulation, drawing, the edit/run toggle and
// the completion countdown.
#include "game/hud_controls.h"
#include "game/input.h"

struct LevelRecord;
class FrameIo;
struct ShellBitmaps;

constexpr int kCompleteFrames = 120;  // the countdown's first value

extern bool HissPlaying;  // the fuse hiss is looping
// Stops the hiss if it plays (level start, game end).
void StopHiss();

// The game shell's own state, across frames and levels.
struct ShellState {
    int levelIndex = 0;
    bool levelComplete = false;
    bool restartRequest = false;
    int nextLevel = -1;        // the level chosen to play next, -1: the usual one
    int completeTimer = 0;     // 0 = not started, then 120 down to 1
    bool toggleLatch = false;  // one edit/run toggle per press
    int hudTop = 0;            // this frame's HUD top edge
    int prevButtons = 0;       // kept across levels
    bool modeClicked = false;  // the HUD's mode button, this frame
    bool quitRequested = false;  // F10 held, or the window closed, at the end of the last frame
    InputSample input;         // this frame's sample
    HudState hud;
    // The level tools turn this off to simulate fast: every drawing call is
    // skipped, while input, physics, sound and the completion count run as
    // always. The hamster's flare puffs are emitted from its drawing, and
    // the particles are stepped as they are drawn, so both stop too; they
    // never touch the physics. Without loaded pictures nothing is drawn.
    bool drawing = true;
    // The key of the edit-mode picture drawn last (see EditPictureKey), or 0
    // when the last picture was anything else.
    uint64_t drawnPicture = 0;
};

// Level start: the world built from records and every per-level state cleared.
void StartLevel(ShellState& state, const LevelRecord* records);
// One whole frame, presented. False when the frame loop should stop.
bool RunFrame(ShellState& state, const ShellBitmaps& bitmaps, FrameIo& io);
