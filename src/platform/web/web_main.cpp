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

#include "game/assets.h"
#include "game/frame_loop.h"
#include "game/game_flow.h"
#include "game/window_title.h"
#include "packs/pack_reader.h"
#include "platform/web/web_io.h"

namespace {

// The page calls into the game through plain functions, so the game it plays
// lives here, for the page's whole life.
struct Page {
    Assets assets;
    WebIo io;
    LevelList levels;
    GameState state;
    bool playing = false;
    // What the browser test reads: frames since the level started, and the
    // frames from the one that started the last run to the one that ended
    // its level (the simulator's completion frame).
    int levelFrames = 0;
    int runStartedAt = -1;
    int lastRunFrames = -1;
};
Page page;

void Begin(const char* pack) {
    StopHiss(page.state, page.assets, page.io);
    PackFile file;
    std::string error;
    page.levels = pack && pack[0] != '\0' && ReadPackFile(pack, file, error) ? std::move(file.levels) : BuiltinLevelList();
    const Random random = page.state.world.Rand;  // the page's sounds go on from where they were
    page.state = GameState{};
    page.state.world.Rand = random;
    page.levelFrames = 0;
    page.runStartedAt = -1;
    page.playing = BeginLevels(page.state, page.levels, page.assets, page.io);
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* zandrove_title() { return kWindowTitle; }

// Runs up to n frames and shows the last one drawn: 1 while the game goes
// on, 0 once it is over.
EMSCRIPTEN_KEEPALIVE int zandrove_frames(int n) {
    for (int i = 0; i < n && page.playing; ++i) {
        const int level = page.state.levelIndex;
        const bool editing = page.state.world.EditMode;
        page.playing = PlayLevelFrame(page.state, page.levels, page.assets, page.io);
        if (editing && !page.state.world.EditMode) page.runStartedAt = page.levelFrames;
        if (page.state.levelIndex != level || !page.playing) {
            page.lastRunFrames = page.runStartedAt < 0 ? -1 : page.levelFrames - page.runStartedAt;
            page.levelFrames = 0;
            page.runStartedAt = -1;
        } else {
            ++page.levelFrames;
        }
    }
    page.io.ShowNewPicture();
    return page.playing ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void zandrove_mouse(int x, int y, int buttons) {
    page.io.MoveMouse(x, y);
    page.io.SetButtons(buttons);
}

EMSCRIPTEN_KEEPALIVE void zandrove_key(int scancode, int held) { page.io.SetKey(scancode, held != 0); }

// A level pack file the page wrote into its file system; one that cannot be
// read leaves the built-in levels, as in the native game.
EMSCRIPTEN_KEEPALIVE void zandrove_play_pack(const char* path) { Begin(path); }

EMSCRIPTEN_KEEPALIVE int zandrove_level() { return page.state.levelIndex + 1; }
EMSCRIPTEN_KEEPALIVE int zandrove_level_frames() { return page.levelFrames; }
EMSCRIPTEN_KEEPALIVE int zandrove_last_run_frames() { return page.lastRunFrames; }
EMSCRIPTEN_KEEPALIVE int zandrove_edit_mode() { return page.state.world.EditMode ? 1 : 0; }

}  // extern "C"

int main(int argc, char** argv) {
    page.state.world.Rand.Seed(static_cast<uint32_t>(std::time(nullptr)));
    std::string error;
    if (!LoadAssets(page.assets, error)) {
        std::fprintf(stderr, "zandrove: %s\n", error.c_str());
        return 1;
    }
    Begin(argc >= 2 ? argv[1] : nullptr);
    return 0;
}
