#pragma once
// One frame's view of the mouse and keyboard, taken once at the start of the
// frame so every phase sees the same state, and so tests can script it.
#include <bitset>

constexpr int kLeftButton = 1;   // mouse_b bits
constexpr int kRightButton = 2;
constexpr int kKeyCount = 128;   // Allegro's KEY_MAX + 1 scancode slots

struct InputSample {
    int mouseX = 0;
    int mouseY = 0;
    int buttons = 0;   // held now
    int pressed = 0;   // held now, not in the previous frame
    int released = 0;  // held in the previous frame, not now
    std::bitset<kKeyCount> keys;  // held now, by scancode

    bool Key(int scancode) const { return scancode >= 0 && scancode < kKeyCount && keys.test(static_cast<size_t>(scancode)); }
};
