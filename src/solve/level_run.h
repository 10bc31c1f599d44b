#pragma once
// One level played without a window: its world built from its records, the
// bombs taken out of the inventory as the HUD takes them, Space pressed in
// the first frame, then one step after another. Nothing is drawn or heard,
// so it needs no platform and no assets, and every run has a world of its
// own: any number run side by side, on any threads.
#include <vector>

#include "sim/placement.h"
#include "sim/world.h"

struct LevelRecord;
class cPlayer;

// How many bombs the player can take out of this level's inventory: its
// inventory bombs, at most as many as the HUD has slots.
int PlaceableBombs(const LevelRecord* records);

class LevelRun {
public:
    // Builds the level and places the bombs, each in the inventory slot it
    // names (bombs of slots beyond PlaceableBombs are left out). Nothing
    // runs yet.
    LevelRun(const LevelRecord* records, const std::vector<BombPlacement>& bombs);
    // Built and placed again from the start, as a new run would be.
    void Restart(const LevelRecord* records, const std::vector<BombPlacement>& bombs);

    // Runs the next frame. Frame 0 is the edit-mode frame in which Space
    // starts the run; from frame 1 on the objects are stepped. False once
    // the level is complete (and then nothing more runs).
    bool Next();
    // The frame run last, -1 before the first.
    int Frame() const { return frame_; }
    bool Complete() const { return world_.LevelComplete; }

    // The whole run at the end of the frame run last. Restore takes this run
    // (any run of the same level) back there, so frames already played need
    // not be played again; it allocates nothing.
    struct Saved {
        World world;
        int frame = -1;
        bool running = true;
    };
    Saved Save() const { return {world_, frame_, running_}; }
    bool Restore(const Saved& saved);
    // The inventory bomb in slot placed at (x, y) with its fuse, in a run
    // that is already at the end of frame Frame(): the bomb is then as it
    // would be had it been placed before the run. Until its blast a bomb acts
    // on nothing the play depends on, so the run from here on is the run
    // with the bomb placed from the start, provided its fuse still has more
    // than two frames to burn (true is returned then; false changes nothing).
    bool PlaceLate(int slot, const BombPlacement& bomb);

    const World& GetWorld() const { return world_; }
    // The level's hamsters in ObjectList order.
    const std::vector<cPlayer*>& Hamsters() const { return hamsters_; }

private:
    void FindHamsters();

    World world_;
    std::vector<cPlayer*> hamsters_;
    int frame_ = -1;
    bool running_ = true;
};
