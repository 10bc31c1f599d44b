// The game on a web page. The page owns the loop: on every animation frame it
// asks for as many 60 Hz frames as the time gone by holds (a few at most),
// and hands over the player's input as it comes. Start-up is the native
// game's: a level pack given as the argument (from ?pack= or a chosen file),
// ignored when it cannot be read, then the assets, packaged with the page.
#include <emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "packs/level_table.h"
#include "sim/sim_state.h"
#include "sim/frame_globals.h"
#include "sim/presentation.h"
#include "game/assets.h"
#include "game/frame_loop.h"
#include "game/game_flow.h"
#include "game/window_title.h"
#include "platform/web/web_io.h"
#include "platform/web/web_presentation.h"

namespace {

ShellBitmaps bitmaps;
WebPresentation presentation;
WebIo io;
ShellState state;
bool playing = false;

// What the browser test reads: frames since the level started, and the
// frames from the one that started the last run to the one that ended its
// level (the simulator's completion frame).
int levelFrames = 0;
int runStartedAt = -1;
int lastRunFrames = -1;

void Begin(const char* pack) {
    ResetSimulation();
    StopHiss();
    FreeLevelPack();
    if (pack && pack[0] != '\0') LoadLevelPack(pack);
    state = ShellState{};
    levelFrames = 0;
    runStartedAt = -1;
    playing = BeginLevels(state, io);
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* zandrove_title() { return kWindowTitle; }

// Runs up to n frames and shows the last one drawn: 1 while the game goes
// on, 0 once it is over.
EMSCRIPTEN_KEEPALIVE int zandrove_frames(int n) {
    for (int i = 0; i < n && playing; ++i) {
        const int level = state.levelIndex;
        const bool editing = EditMode;
        playing = PlayLevelFrame(state, bitmaps, io);
        if (editing && !EditMode) runStartedAt = levelFrames;
        if (state.levelIndex != level || !playing) {
            lastRunFrames = runStartedAt < 0 ? -1 : levelFrames - runStartedAt;
            levelFrames = 0;
            runStartedAt = -1;
        } else {
            ++levelFrames;
        }
    }
    io.ShowNewPicture();
    return playing ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void zandrove_mouse(int x, int y, int buttons) {
    io.MoveMouse(x, y);
    io.SetButtons(buttons);
}

EMSCRIPTEN_KEEPALIVE void zandrove_key(int scancode, int held) { io.SetKey(scancode, held != 0); }

// A level pack file the page wrote into its file system; one that cannot be
// read leaves the built-in levels, as in the native game.
EMSCRIPTEN_KEEPALIVE void zandrove_play_pack(const char* path) { Begin(path); }

EMSCRIPTEN_KEEPALIVE int zandrove_level() { return state.levelIndex + 1; }
EMSCRIPTEN_KEEPALIVE int zandrove_level_frames() { return levelFrames; }
EMSCRIPTEN_KEEPALIVE int zandrove_last_run_frames() { return lastRunFrames; }
EMSCRIPTEN_KEEPALIVE int zandrove_edit_mode() { return EditMode ? 1 : 0; }

}  // extern "C"

int main(int argc, char** argv) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    std::string error;
    if (!LoadAssets(bitmaps, error)) {
        std::fprintf(stderr, "zandrove: %s\n", error.c_str());
        return 1;
    }
    ActivePresentation = &presentation;
    Begin(argc >= 2 ? argv[1] : nullptr);
    return 0;
}
