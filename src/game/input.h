#pragma once
// One frame's view of the mouse and keyboard, taken once at the start of the
// frame so every phase sees the same state, and so tests can script it.
#include <bitset>

#include "game/keys.h"

constexpr int kLeftButton = 1;   // mouse_b bits
constexpr int kRightButton = 2;
constexpr int kKeyCount = 128;   // Allegro's KEY_MAX + 1 scancode slots
constexpr int kTypedMax = 16;    // characters kept per frame; more are dropped

struct InputSample {
    int mouseX = 0;
    int mouseY = 0;
    int buttons = 0;   // held now
    int pressed = 0;   // held now, not in the previous frame
    int released = 0;  // held in the previous frame, not now
    std::bitset<kKeyCount> keys;  // held now, by scancode
    int wheel = 0;                // wheel steps since the last frame, away from the player positive
    // Printable characters typed since the last frame, in order (for names).
    char typed[kTypedMax] = {};
    int typedCount = 0;

    bool Key(int scancode) const { return scancode >= 0 && scancode < kKeyCount && keys.test(static_cast<size_t>(scancode)); }
    bool Shift() const { return Key(kKeyLShift) || Key(kKeyRShift); }
    bool Ctrl() const { return Key(kKeyLControl) || Key(kKeyRControl); }
    void Type(char c) {
        if (typedCount < kTypedMax) typed[typedCount++] = c;
    }
};
