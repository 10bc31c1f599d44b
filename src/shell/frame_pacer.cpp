#include "shell/frame_pacer.h"

#include <allegro.h>

#include <atomic>

namespace {

// Written by Allegro's timer thread, read by the game's.
std::atomic<unsigned> ticks{0};

void Tick() { ticks.fetch_add(1, std::memory_order_relaxed); }

}  // namespace

bool FramePacer::Start(int framesPerSecond) {
    if (running_) return true;
    if (install_timer() != 0) return false;
    if (install_int_ex(Tick, BPS_TO_TIMER(framesPerSecond)) != 0) return false;
    running_ = true;
    lastTick_ = ticks.load(std::memory_order_relaxed);
    return true;
}

void FramePacer::Stop() {
    if (!running_) return;
    remove_int(Tick);
    running_ = false;
}

void FramePacer::Wait() {
    if (!running_) return;
    while (ticks.load(std::memory_order_relaxed) == lastTick_) rest(1);
    lastTick_ = ticks.load(std::memory_order_relaxed);
}
