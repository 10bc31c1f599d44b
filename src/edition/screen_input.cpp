#include "edition/screen_input.h"

#include "game/frame_io.h"

namespace edition {

const InputSample& ScreenInput::Sample(FrameIo& io) {
    in_ = InputSample{};
    io.Sample(in_);
    if (holdAll_) {
        before_ = in_.keys;
        buttonsBefore_ = in_.buttons;
        holdAll_ = false;
    }
    pressed_ = in_.keys & ~before_;
    in_.pressed = in_.buttons & ~buttonsBefore_;
    in_.released = buttonsBefore_ & ~in_.buttons;
    before_ = in_.keys;
    buttonsBefore_ = in_.buttons;
    return in_;
}

}  // namespace edition
