#pragma once
// One frame's input for the player's edition's own screens (the title, the
// settings, the results): what is held, and what was pressed since the
// frame before. A screen just entered takes nothing held then as a press:
// the Enter, click or F10 that opened it acts once.
#include <bitset>

#include "game/input.h"

class FrameIo;

namespace edition {

class ScreenInput {
public:
    // Samples the player's input and works out this frame's presses.
    const InputSample& Sample(FrameIo& io);
    // Whatever is held at the next sample counts as held before.
    void HoldAll() { holdAll_ = true; }

    const InputSample& Now() const { return in_; }
    bool Pressed(int scancode) const {
        return scancode >= 0 && scancode < kKeyCount && pressed_.test(static_cast<size_t>(scancode));
    }
    bool Clicked() const { return (in_.pressed & kLeftButton) != 0; }
    bool RightClicked() const { return (in_.pressed & kRightButton) != 0; }
    // Enter (either) or Space: the keyboard's "go on".
    bool Confirmed() const { return Pressed(kKeyEnter) || Pressed(kKeyEnterPad) || Pressed(kKeySpace); }

private:
    InputSample in_;
    std::bitset<kKeyCount> before_;
    std::bitset<kKeyCount> pressed_;
    int buttonsBefore_ = 0;
    bool holdAll_ = true;
};

}  // namespace edition
