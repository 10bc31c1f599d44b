// The game on a web page. The page owns the loop: on every animation frame it
// asks for as many 60 Hz frames as the time gone by holds (a few at most),
// and hands over the player's input as it comes. Start-up is the native
// game's, with the page's stricter rule for packs (packs/playable.h): a pack
// given as the argument (from ?pack=) that is refused leaves the built-in
// levels, and one chosen later, or a link, that is refused leaves the game
// as it was; either way a line under the frame says why.
#include <emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "game/assets.h"
#include "game/frame_loop.h"
#include "game/game_flow.h"
#include "game/window_title.h"
#include "packs/link_text.h"
#include "packs/pack_reader.h"
#include "packs/playable.h"
#include "platform/web/page_calls.h"
#include "platform/web/web_io.h"
#include "platform/web/worker_solve.h"
#include "solve/solver.h"

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
    // A search in the solver worker that the browser test starts, polled
    // once a frame as the game's hints will poll theirs.
    WorkerSolve search;
};
Page page;

void Play(LevelList levels) {
    StopHiss(page.state, page.assets, page.io);
    page.levels = std::move(levels);
    const Random random = page.state.world.Rand;  // the page's sounds go on from where they were
    page.state = GameState{};
    page.state.world.Rand = random;
    page.levelFrames = 0;
    page.runStartedAt = -1;
    page.playing = BeginLevels(page.state, page.levels, page.assets, page.io);
}

void Refuse(const std::string& what, const std::string& why) {
    const std::string line = what + " refused: " + why;
    std::fprintf(stderr, "zandrove: %s\n", line.c_str());
    PageNotice(line.c_str());
}

// The pack file at path, if the page's rule lets it be played.
bool ReadPlayable(const char* path, const char* what, LevelList& levels) {
    PackFile file;
    std::string why;
    if (!ReadPackFile(path, file, why) || !PlayablePack(file, PackRule::Checked, why)) {
        Refuse(what, why);
        return false;
    }
    levels = std::move(file.levels);
    return true;
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
    page.search.Poll();
    page.io.ShowNewPicture();
    return page.playing ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void zandrove_mouse(int x, int y, int buttons) {
    page.io.MoveMouse(x, y);
    page.io.SetButtons(buttons);
}

EMSCRIPTEN_KEEPALIVE void zandrove_key(int scancode, int held) { page.io.SetKey(scancode, held != 0); }

// A level pack file the page wrote into its file system (a chosen file, or
// one fetched after start): 1 when it is played from its first level, 0
// when it was refused and the game goes on as it was.
EMSCRIPTEN_KEEPALIVE int zandrove_play_pack(const char* path, const char* what) {
    LevelList levels;
    if (!ReadPlayable(path, what, levels)) return 0;
    PageNotice("");
    Play(std::move(levels));
    return 1;
}

// The level text a link carried, size bytes unpacked by the page as they
// are (the parser judges them, as natively): the same as a pack. pack is 1
// for a "#pack=" link, 0 for a "#level=" one.
EMSCRIPTEN_KEEPALIVE int zandrove_play_link_text(const char* text, int size, int pack) {
    LevelList levels;
    std::string why;
    if (!LevelsFromLinkText(std::string_view(text, static_cast<std::size_t>(size)),
                            pack ? LinkKind::Pack : LinkKind::Level, levels, why) ||
        !PlayableLevels(levels, PackRule::Checked, why)) {
        Refuse("link", why);
        return 0;
    }
    PageNotice("");
    Play(std::move(levels));
    return 1;
}

// The page refuses a link that unpacks to more than this.
EMSCRIPTEN_KEEPALIVE double zandrove_link_text_limit() { return static_cast<double>(kMaxLinkTextBytes); }

EMSCRIPTEN_KEEPALIVE int zandrove_level() { return page.state.levelIndex + 1; }
EMSCRIPTEN_KEEPALIVE int zandrove_level_count() { return static_cast<int>(page.levels.size()); }
EMSCRIPTEN_KEEPALIVE int zandrove_level_frames() { return page.levelFrames; }
EMSCRIPTEN_KEEPALIVE int zandrove_last_run_frames() { return page.lastRunFrames; }
EMSCRIPTEN_KEEPALIVE int zandrove_edit_mode() { return page.state.world.EditMode ? 1 : 0; }

// The solver worker, as the game calls it: a search of level (from 1) of
// the levels played, with budget seconds. 1 when it started.
EMSCRIPTEN_KEEPALIVE int zandrove_search_level(int level, double budget) {
    if (level < 1 || level > static_cast<int>(page.levels.size())) return 0;
    SolveSettings settings;
    settings.budgetSeconds = budget;
    return page.search.Start(page.levels[static_cast<std::size_t>(level - 1)].records.data(), settings) ? 1 : 0;
}
// 0 idle, 1 running, 2 done, 3 failed.
EMSCRIPTEN_KEEPALIVE int zandrove_search_state() { return static_cast<int>(page.search.Current()); }
EMSCRIPTEN_KEEPALIVE double zandrove_search_attempts() { return static_cast<double>(page.search.Attempts()); }
EMSCRIPTEN_KEEPALIVE int zandrove_search_solutions() { return static_cast<int>(page.search.Report().solutionCount); }
// The first solution's completion frame, or -1.
EMSCRIPTEN_KEEPALIVE int zandrove_search_frame() {
    const SolveReport& report = page.search.Report();
    return report.solutions.empty() ? -1 : report.solutions.front().frame;
}
EMSCRIPTEN_KEEPALIVE void zandrove_search_cancel() { page.search.Cancel(); }

}  // extern "C"

int main(int argc, char** argv) {
    page.state.world.Rand.Seed(static_cast<uint32_t>(std::time(nullptr)));
    std::string error;
    if (!LoadAssets(page.assets, error)) {
        std::fprintf(stderr, "zandrove: %s\n", error.c_str());
        return 1;
    }
    LevelList levels;
    // The page names the pack it fetched after its path.
    const std::string what = argc >= 3 ? "pack '" + std::string(argv[2]) + "'" : "pack";
    if (argc < 2 || !ReadPlayable(argv[1], what.c_str(), levels)) levels = BuiltinLevelList();
    Play(std::move(levels));
    return 0;
}
