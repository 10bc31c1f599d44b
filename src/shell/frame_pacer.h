#pragma once
// Paces the frame loop with an Allegro timer where the display's retrace
// does not: a windowed X11 display returns from vsync at once.
class FramePacer {
public:
    // Installs a timer ticking framesPerSecond times a second. False if
    // Allegro's timer cannot be installed; Wait then returns at once.
    bool Start(int framesPerSecond);
    void Stop();
    // Sleeps until the tick after the last one waited for. Ticks missed
    // while a slow frame was drawn are dropped: no catch-up frames.
    void Wait();

private:
    bool running_ = false;
    unsigned lastTick_ = 0;
};
