#pragma once
// Paces the frame loop at a fixed rate where the display's retrace does not:
// a windowed X11 display returns from vsync at once. It sleeps once a frame,
// until the next tick of a fixed grid, so an idle game wakes 60 times a
// second and no more.
#include <chrono>

class FramePacer {
public:
    using Clock = std::chrono::steady_clock;

    void Start(int framesPerSecond);
    void Stop() { running_ = false; }
    // Sleeps until the tick after the last one waited for. Ticks missed
    // while a slow frame was drawn are dropped: no catch-up frames.
    void Wait();

private:
    bool running_ = false;
    Clock::duration period_{};
    Clock::time_point next_{};
};
