#pragma once
// A player made of dice: seeded random gestures (moves, clicks on the
// play-field and on every HUD control, left and right drags, key taps, held
// keys, mode toggles, now and then a restart or F10) fed to the frame one
// sample at a time. The driver can also queue exact frames of its own, which go first.
#include <deque>
#include <random>

#include "game/frame_io.h"
#include "game/input.h"
#include "sim/placement.h"  // kEditHudTop: the HUD's top edge in edit mode

class World;

struct HeldInput {
    int mouseX = 320;
    int mouseY = 240;
    int buttons = 0;
    int key = -1;  // one scancode held, or none
};

class RandomPlayer : public FrameIo {
public:
    explicit RandomPlayer(unsigned seed) : rng_(seed) {}

    // The world played, whose bombs the player aims at.
    void Watch(const World* world) { world_ = world; }
    void Sample(InputSample& s) override;
    void Present(Picture*) override {}

    // Frames to play exactly, before any random gesture.
    void Queue(const HeldInput& frame) { queued_.push_back(frame); }
    bool Queued() const { return !queued_.empty(); }
    // Drops the gesture under way and anything queued; nothing held.
    void LetGo();

    std::mt19937& Rng() { return rng_; }

private:
    void NextGesture();
    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    void Press(int buttons, int x, int y, int frames);
    void Drag(int button, int fromX, int fromY, int toX, int toY, int frames);
    void Tap(int key, int frames);
    void HudClick(int x, int y);
    // A point on a placed bomb, when there is one, else anywhere on the field.
    void BombPoint(int& x, int& y);

    const World* world_ = nullptr;
    std::mt19937 rng_;
    std::deque<HeldInput> queued_;
    std::deque<HeldInput> gesture_;
    HeldInput last_;
};
