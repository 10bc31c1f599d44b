// Test-play: the level as designed, played by the game's own frame with its
// HUD on a world of its own, then the design back exactly as it was.
#include "design/design_parts.h"
#include "game/drawing.h"
#include "game/frame_io.h"
#include "game/frame_loop.h"
#include "game/input.h"
#include "game/keys.h"
#include "sim/placement.h"

namespace design {

namespace {

// The game's frames as they are, with one line above the HUD that says
// test-play is running and how to leave it.
class TestPlayIo : public FrameIo {
public:
    TestPlayIo(FrameIo& io, const GameState& shell) : io_(io), shell_(shell) {}

    void Sample(InputSample& sample) override { io_.Sample(sample); }
    void Present(Picture* frame) override {
        if (frame) {
            static const char kLine[] = "test-play: Tab returns";
            const int top = shell_.hudTop - 16, w = TextWidth(kLine) + 8;
            FillBox(frame, 4, top, 4 + w, top + 13, PictureColour(10, 14, 30));
            WriteText(frame, kLine, 8, top + 3, PictureColour(255, 230, 120));
        }
        io_.Present(frame);
    }
    // The line is still in the picture that was not drawn again.
    void PresentUnchanged(Picture* frame) override { io_.PresentUnchanged(frame); }
    void PlaySound(Sound* sound, int frequency, bool loop) override { io_.PlaySound(sound, frequency, loop); }
    void StopSound(Sound* sound) override { io_.StopSound(sound); }
    bool CloseRequested() override { return io_.CloseRequested(); }
    bool QuitHeld() override { return io_.QuitHeld(); }
    bool QuitSignalled() override { return io_.QuitSignalled(); }
    void ForgetCloseRequest() override { io_.ForgetCloseRequest(); }

private:
    FrameIo& io_;
    const GameState& shell_;
};

// As a level start of the game: edit mode, nothing selected, nothing flying.
void Begin(Designer& d) {
    d.shell.world.EditMode = true;
    d.shell.world.ParticlePool = ParticleRing{};
    const int held = d.shell.prevButtons;
    StartLevel(d.shell, d.playRecords.data());
    d.shell.prevButtons = held;  // the click that started it is no click in the game
}

}  // namespace

void StartTestPlay(Designer& d) {
    d.playRecords = d.doc.Level().records;
    d.shell = GameState{};
    d.shell.prevButtons = d.prevButtons;
    Begin(d);
    // A solution found for exactly this level is offered: its bombs placed, ready to run.
    if (const SolveResult* r = d.solves.ResultFor(d.playRecords); r && !r->solution.empty()) {
        for (std::size_t k = 0; k < r->solution.size(); ++k) {
            BombPlacement b = r->solution[k];
            b.slot = static_cast<int>(k);
            Place(d.shell.world, b);
        }
        d.shell.world.SelectedBomb = nullptr;
    }
    d.playing = true;
    d.help = d.findings = false;
}

bool TestPlayFrame(Designer& d, const DesignPictures& pictures, FrameIo& io) {
    TestPlayIo shown(io, d.shell);
    const bool goOn = RunFrame(d.shell, *pictures.game, shown);
    d.in = d.shell.input;
    if (KeyPressed(d, kKeyTab)) return false;
    if (d.shell.LevelComplete()) {
        int used = 0;
        for (bool placed : d.shell.world.BombPlaced) used += placed ? 1 : 0;
        d.playNote = "completed with " + std::to_string(used) + (used == 1 ? " bomb" : " bombs");
        return false;
    }
    if (d.shell.restartRequest) {
        Begin(d);
        return true;
    }
    return goOn;
}

void EndTestPlay(Designer& d, const DesignPictures& pictures, FrameIo& io) {
    StopHiss(d.shell, *pictures.game, io);
    d.shell.world = World{};
    d.playing = false;
    d.builtRevision = ~uint64_t{0};  // the design's world is built again before it is drawn
}

}  // namespace design
