// The game on a web page. The page owns the loop: on every animation frame it
// asks for as many 60 Hz frames as the time gone by holds (a few at most),
// and hands over the player's input as it comes. The page is the player's
// edition (web_edition.h); with --plain (the page's ?plain) the plain game,
// frame for frame the native `zandrove`. Start-up is the native
// game's, with the page's stricter rule for packs (packs/playable.h): a pack
// given as the argument (from ?pack=) that is refused leaves the built-in
// levels, and one chosen later, or a link, that is refused leaves the game
// as it was; either way a line under the frame says why. The edition on the
// built-in levels offers the shipped sets too, packaged with the assets.
#include <emscripten.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>

#include "design/designer.h"
#include "game/assets.h"
#include "game/frame_loop.h"
#include "game/game_flow.h"
#include "edition/level_sets.h"
#include "game/window_title.h"
#include "packs/builtin_levels.h"
#include "packs/link_text.h"
#include "packs/pack_reader.h"
#include "packs/playable.h"
#include "platform/web/page_calls.h"
#include "platform/web/web_edition.h"
#include "platform/web/web_io.h"
#include "platform/web/worker_solve.h"
#include "solve/solver.h"

namespace {

// The page calls into the game through plain functions, so the game it plays
// lives here, for the page's whole life.
struct Page {
    Assets assets;
    WebIo io;
    LevelList levels;          // the plain game's
    edition::LevelSets sets;   // the edition's
    // The player's edition, or with plain the plain game's state.
    bool plain = false;
    std::unique_ptr<WebEdition> edition;
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
    std::string designBytes;  // what the page's Save as or Copy link takes
};
Page page;

void PlaySets(edition::LevelSets sets) {
    // The edition holds the sets: it goes first, with its hiss and searches.
    if (page.edition) StopHiss(page.edition->Game().Play().State(), page.assets, page.io);
    page.edition.reset();
    page.sets = std::move(sets);
    page.edition = std::make_unique<WebEdition>(page.io, page.sets, page.assets);
    page.edition->Game().Play().State().world.Rand = page.state.world.Rand;
    page.playing = true;
}

void Play(LevelList levels) {
    if (!page.plain) {
        PlaySets({{"", std::move(levels)}});
        return;
    }
    StopHiss(page.state, page.assets, page.io);
    page.levels = std::move(levels);
    const Random random = page.state.world.Rand;  // the page's sounds go on from where they were
    page.state = GameState{};
    page.state.world.Rand = random;
    page.levelFrames = 0;
    page.runStartedAt = -1;
    page.playing = BeginLevels(page.state, page.levels, page.assets, page.io);
}

void Refuse(const std::string& what, const std::string& why) { Say(what + " refused: " + why); }

// The edition's frames, counted for the browser test as the plain game's.
bool EditionFrame() {
    GameState& state = page.edition->Game().Play().State();
    const bool inLevel = page.edition->Game().Current() == edition::Edition::Screen::Playing;
    const bool editing = state.world.EditMode;
    const bool goesOn = page.edition->Frame();
    if (!inLevel) return goesOn;
    if (editing && !state.world.EditMode) page.runStartedAt = page.levelFrames;
    if (page.edition->Game().Current() == edition::Edition::Screen::Result) {
        page.lastRunFrames = page.edition->Game().Play().Result().frame;
        page.levelFrames = 0;
        page.runStartedAt = -1;
    } else {
        ++page.levelFrames;
    }
    return goesOn;
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

// The level in play: the edition's, or the plain game's.
GameState& Played() { return page.edition ? page.edition->Game().Play().State() : page.state; }
// The levels played: the edition's set, or the plain game's.
const LevelList& PlayedLevels() { return page.edition ? page.edition->Game().Levels() : page.levels; }

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* zandrove_title() { return kWindowTitle; }

// Runs up to n frames and shows the last one drawn: 1 while the game goes
// on, 0 once it is over.
EMSCRIPTEN_KEEPALIVE int zandrove_frames(int n) {
    for (int i = 0; i < n && page.playing && !page.plain; ++i) page.playing = EditionFrame();
    if (!page.playing && !page.plain) {
        // Quit on the title: a page has nothing to go back to, so it starts
        // again at its title (everything the player keeps is kept).
        edition::LevelSets again = std::move(page.sets);
        PlaySets(std::move(again));
    }
    for (int i = 0; i < n && page.playing && page.plain; ++i) {
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
EMSCRIPTEN_KEEPALIVE void zandrove_typed(int c) { page.io.Type(static_cast<char>(c)); }
EMSCRIPTEN_KEEPALIVE void zandrove_wheel(int steps) { page.io.Wheel(steps); }

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
EMSCRIPTEN_KEEPALIVE int zandrove_play_link_text(const char* text, int size, int pack, int design) {
    LevelList levels;
    std::string why;
    if (!LevelsFromLinkText(std::string_view(text, static_cast<std::size_t>(size)),
                            pack ? LinkKind::Pack : LinkKind::Level, levels, why) ||
        !PlayableLevels(levels, PackRule::Checked, why)) {
        Refuse("link", why);
        return 0;
    }
    PageNotice("");
    // "&design": the link's levels in the designer, the levels played as they were.
    if (design && page.edition) return page.edition->Game().OpenDesignerWith(std::move(levels)) ? 1 : 0;
    Play(std::move(levels));
    return 1;
}

// The designer on the player's file, as the title's Designer (the page's ?design).
EMSCRIPTEN_KEEPALIVE void zandrove_open_designer() {
    if (page.edition) page.edition->Game().OpenDesigner();
}
// The page's Open: a file the page wrote at path, named as on the player's disk.
EMSCRIPTEN_KEEPALIVE int zandrove_design_open(const char* path, const char* name) {
    return page.edition && page.edition->OpenInDesigner(path, name) ? 1 : 0;
}
// The designer's F5 for the level shown: -1 searching, else the solutions
// its search counted; -2 with no search of it (or no designer up).
EMSCRIPTEN_KEEPALIVE int zandrove_design_solutions() {
    design::Designer* d = page.edition ? page.edition->Game().DesignerUp() : nullptr;
    if (!d) return -2;
    if (d->solves.Running()) return -1;
    const design::SolveResult* r = d->solves.ResultFor(d->doc.Level().records);
    return r && !r->failed ? static_cast<int>(r->report.solutionCount) : -2;
}
// Of those, the ones measured for forgiveness after the search.
EMSCRIPTEN_KEEPALIVE int zandrove_design_measured() {
    design::Designer* d = page.edition ? page.edition->Game().DesignerUp() : nullptr;
    const design::SolveResult* r = d ? d->solves.ResultFor(d->doc.Level().records) : nullptr;
    return r ? static_cast<int>(r->forgiveness.size()) : 0;
}

// Save as (what 0: a level text, 1: a pack) and Copy link (2: the level
// shown as a link's text): the bytes, in memory until the next call.
EMSCRIPTEN_KEEPALIVE const char* zandrove_design_bytes(int what) {
    page.designBytes = !page.edition ? std::string()
                       : what == 2   ? page.edition->DesignLevelText()
                                     : page.edition->DesignBytes(what == 1);
    return page.designBytes.data();
}
EMSCRIPTEN_KEEPALIVE int zandrove_design_size() { return static_cast<int>(page.designBytes.size()); }

// The page refuses a link that unpacks to more than this.
EMSCRIPTEN_KEEPALIVE double zandrove_link_text_limit() { return static_cast<double>(kMaxLinkTextBytes); }

// Which screen of the edition is up (edition::Edition::Screen: 0 the title,
// 4 a level, 5 its result, ...), or -1 in the plain game.
EMSCRIPTEN_KEEPALIVE int zandrove_screen() {
    return page.edition ? static_cast<int>(page.edition->Game().Current()) : -1;
}
// The level Continue plays, from 1 (0 in the plain game).
EMSCRIPTEN_KEEPALIVE int zandrove_continue_level() {
    return page.edition ? page.edition->Game().ContinueLevel() + 1 : 0;
}
// Levels the player has completed, as the progress kept says.
EMSCRIPTEN_KEEPALIVE int zandrove_levels_solved() {
    return page.edition ? static_cast<int>(page.edition->Game().Hooks().KeptProgress().levels.size()) : 0;
}
// The hint under way or shown: 1 searching, 2 ghosts to show, 0 neither.
EMSCRIPTEN_KEEPALIVE int zandrove_hint_state() {
    if (!page.edition) return 0;
    const Hints& hints = page.edition->Game().Hooks().HintsInPlay();
    return hints.Searching() ? 1 : !hints.Ghosts().empty() ? 2 : 0;
}

// Where the hint's next ghost stands (x * 65536 + y), or -1.
EMSCRIPTEN_KEEPALIVE int zandrove_hint_ghost() {
    if (!page.edition) return -1;
    const auto ghosts = page.edition->Game().Hooks().HintsInPlay().Ghosts();
    return ghosts.empty() ? -1 : ghosts.front().x * 65536 + ghosts.front().y;
}

EMSCRIPTEN_KEEPALIVE int zandrove_level() { return Played().levelIndex + 1; }
EMSCRIPTEN_KEEPALIVE int zandrove_level_count() { return static_cast<int>(PlayedLevels().size()); }
EMSCRIPTEN_KEEPALIVE int zandrove_level_frames() { return page.levelFrames; }
EMSCRIPTEN_KEEPALIVE int zandrove_last_run_frames() { return page.lastRunFrames; }
EMSCRIPTEN_KEEPALIVE int zandrove_edit_mode() { return Played().world.EditMode ? 1 : 0; }

// The solver worker, as the game calls it: a search of level (from 1) of
// the levels played, with budget seconds. 1 when it started.
EMSCRIPTEN_KEEPALIVE int zandrove_search_level(int level, double budget) {
    const LevelList& levels = PlayedLevels();
    if (level < 1 || level > static_cast<int>(levels.size())) return 0;
    SolveSettings settings;
    settings.budgetSeconds = budget;
    return page.search.Start(levels[static_cast<std::size_t>(level - 1)].records.data(), settings) ? 1 : 0;
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
    if (argc >= 2 && std::strcmp(argv[1], "--plain") == 0) {
        page.plain = true;
        --argc;
        ++argv;
    }
    // The page names the pack it fetched after its path.
    const std::string what = argc >= 3 ? "pack '" + std::string(argv[2]) + "'" : "pack";
    if (argc >= 2 && ReadPlayable(argv[1], what.c_str(), levels))
        Play(std::move(levels));
    else if (page.plain)
        Play(BuiltinLevelList());
    else
        PlaySets(edition::ShippedSets(Say));
    return 0;
}
