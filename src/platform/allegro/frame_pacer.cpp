#include "platform/allegro/frame_pacer.h"

#include <thread>

void FramePacer::Start(int framesPerSecond) {
    period_ = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / framesPerSecond));
    next_ = Clock::now() + period_;
    running_ = true;
}

void FramePacer::Wait() {
    if (!running_) return;
    Clock::time_point now = Clock::now();
    if (now < next_) {
        std::this_thread::sleep_until(next_);
        now = Clock::now();
    }
    // On to the first tick of the grid still ahead.
    const auto late = now - next_;
    next_ += period_ * (late / period_ + 1);
}
