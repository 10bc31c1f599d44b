#pragma once
// One level played without a window through the game's own frame function:
// the world built from its records, the bombs taken out of the inventory as
// the HUD does, Space pressed, then one frame after another.
#include <memory>
#include <vector>

#include "sim/sim_state.h"
#include "game/frame_loop.h"
#include "solve/placement.h"

struct BITMAP;
struct LevelRecord;
struct ShellBitmaps;
class cPlayer;

// How many bombs the player can take out of this level's inventory: its
// inventory bombs, at most as many as the HUD has slots.
int PlaceableBombs(const LevelRecord* records);

class LevelRun {
public:
    // Builds the level and places the bombs, in inventory order (at most
    // PlaceableBombs of them). Nothing runs yet. Nothing is drawn or heard,
    // so this needs neither Allegro nor the assets, and it is safe in a
    // process forked from the live game: the presentation is set aside for
    // as long as the run lives.
    LevelRun(const LevelRecord* records, const std::vector<BombPlacement>& bombs);
    // The same, drawn with the pictures the start-up loaded (Allegro
    // started) until SetDrawing(false). Drawing never changes the motion.
    LevelRun(const LevelRecord* records, const std::vector<BombPlacement>& bombs, const ShellBitmaps& pictures);
    // The simulation is reset, as at the start of the program.
    ~LevelRun();
    // Built and placed again from the start, as a new run would be.
    void Restart(const LevelRecord* records, const std::vector<BombPlacement>& bombs);
    LevelRun(const LevelRun&) = delete;
    LevelRun& operator=(const LevelRun&) = delete;

    // Runs the next frame. Frame 0 is the edit-mode frame in which Space
    // starts the run; from frame 1 on the objects are stepped. False once
    // the level is complete (and then nothing more runs).
    bool Next();
    // The frame run last, -1 before the first.
    int Frame() const;
    bool Complete() const;

    // The whole run at the end of the frame run last: the simulation and the
    // shell's state. Restore takes this run (any run of the same level) back
    // there, so frames already played need not be played again.
    struct Saved {
        SimSnapshot simulation;
        ShellState shell;
        int frame = -1;
        bool running = true;
    };
    Saved Save() const;
    bool Restore(const Saved& saved);
    // The inventory bomb in slot placed at (x, y) with its fuse, in a run
    // that is already at the end of frame Frame(): the bomb is then as it
    // would be had it been placed before the run. Until its blast a bomb acts
    // on nothing the play depends on, so the run from here on is the run
    // with the bomb placed from the start, provided its fuse still has more
    // than two frames to burn (true is returned then; false changes nothing).
    bool PlaceLate(int slot, const BombPlacement& bomb);

    void SetDrawing(bool drawing);
    // The composed picture of the frame run last (if it was drawn).
    BITMAP* Picture() const;
    // The level's hamsters in ObjectList order.
    const std::vector<cPlayer*>& Hamsters() const { return hamsters_; }

private:
    void Start(const LevelRecord* records, const std::vector<BombPlacement>& bombs);

    struct Shell;
    std::unique_ptr<Shell> shell_;
    std::vector<cPlayer*> hamsters_;
};
