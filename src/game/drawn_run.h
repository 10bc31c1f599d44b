#pragma once
// A level played through the game's own frame with the player's hands off:
// the bombs taken out of the inventory in order as the HUD takes them, Space
// in the first frame, the cursor waiting just beyond the window's
// bottom-right corner (no picture shows it, no control is under it). Each
// frame is drawn with the loaded pictures until drawing is turned off; the
// motion is the same either way, and the same as a solve/level_run.h run's.
#include <vector>

#include "game/frame_io.h"
#include "game/frame_loop.h"
#include "sim/placement.h"

struct Assets;
struct LevelRecord;
class cPlayer;

class DrawnRun {
public:
    DrawnRun(const LevelRecord* records, const std::vector<BombPlacement>& bombs, const Assets& assets);

    // Runs the next frame (frame 0: the edit-mode frame Space leaves). False
    // once the level is complete.
    bool Next();
    int Frame() const { return frame_; }
    bool Complete() const { return state_.LevelComplete(); }
    void SetDrawing(bool drawing) { state_.drawing = drawing; }
    // The composed picture of the frame run last (if it was drawn).
    Picture* LastPicture() const;
    const GameState& State() const { return state_; }
    const std::vector<cPlayer*>& Hamsters() const { return hamsters_; }

private:
    class HandsOff : public FrameIo {
    public:
        int presented = 0;
        void Sample(InputSample& s) override;
        void Present(Picture*) override { ++presented; }
    };

    const Assets& assets_;
    GameState state_;
    HandsOff io_;
    std::vector<cPlayer*> hamsters_;
    int frame_ = -1;
    bool running_ = true;
};
