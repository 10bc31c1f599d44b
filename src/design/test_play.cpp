// Test-play: the level as designed, played by the game's own frame with its
// HUD, then the design back exactly as it was.
#include "design/design_parts.h"
#include "sim/world.h"
#include "sim/frame_globals.h"
#include "sim/particles.h"
#include "game/hud_controls.h"
#include "game/keys.h"
#include "game/frame_loop.h"

namespace design {

namespace {

// As a level start of the game: edit mode, nothing selected, nothing flying.
void Begin(Designer& d) {
    EditMode = true;
    for (Particle& p : ParticlePool.slots) p.life = 0;
    const int held = d.shell.prevButtons;
    StartLevel(d.shell, d.playRecords.data());
    d.shell.prevButtons = held;  // the click that started it is no click in the game
}

}  // namespace

void StartTestPlay(Designer& d) {
    d.playRecords = d.doc.Level().records;
    d.shell = ShellState{};
    d.shell.prevButtons = d.prevButtons;
    Begin(d);
    // A solution found for exactly this level is offered: its bombs placed, ready to run.
    if (const SolveResult* r = d.solves.ResultFor(d.playRecords)) {
        for (std::size_t k = 0; k < r->solution.size() && k < BombList.size(); ++k)
            PlaceInventoryBomb(static_cast<int>(k), r->solution[k].x, r->solution[k].y, r->solution[k].fuse);
        SelectedBomb = nullptr;
    }
    d.playing = true;
    d.help = d.findings = false;
}

bool TestPlayFrame(Designer& d, const DesignPictures& pictures, FrameIo& io) {
    const bool goOn = RunFrame(d.shell, *pictures.game, io);
    d.in = d.shell.input;
    if (KeyPressed(d, kKeyTab)) return false;
    if (d.shell.levelComplete) {
        int used = 0;
        for (bool placed : BombPlaced) used += placed ? 1 : 0;
        d.playNote = "completed with " + std::to_string(used) + (used == 1 ? " bomb" : " bombs");
        return false;
    }
    if (d.shell.restartRequest) {
        Begin(d);
        return true;
    }
    return goOn;
}

void EndTestPlay(Designer& d) {
    StopHiss();
    for (Particle& p : ParticlePool.slots) p.life = 0;
    EditMode = true;
    SelectedBomb = nullptr;
    d.playing = false;
    d.builtRevision = ~uint64_t{0};  // the design's world is built again before it is drawn
}

}  // namespace design
