#include "platform/allegro/lost_display.h"

#include <X11/Xlib.h>
#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <mutex>

#include "platform/allegro/live_io.h"

namespace {

// Globals, as a signal handler's are: Xlib calls its handler with the
// display alone, on whichever thread met the dead connection.
std::function<std::string()> keeper;
std::atomic<bool> lost{false};
std::mutex keeping;  // one thread keeps the work and ends the process
pthread_t mainThread;
XIOErrorHandler previous = nullptr;
bool watching = false;

[[noreturn]] void KeepAndEnd() {
    std::unique_lock<std::mutex> hold(keeping, std::try_to_lock);
    if (!hold.owns_lock())
        for (;;) pause();  // the other thread ends the process
    const std::string said = keeper ? keeper() : std::string();
    std::fprintf(stderr, "zandrove: the display was lost%s%s\n", said.empty() ? "" : "; ", said.c_str());
    _exit(1);
}

int OnLostDisplay(Display*) {
    lost.store(true);
    QuitAtOnce();
    // The main thread notices within a frame and keeps the work itself;
    // one that does not come is stuck in the dead connection.
    if (!pthread_equal(pthread_self(), mainThread))
        for (int i = 0; i < 40; ++i) usleep(50000);
    KeepAndEnd();
}

}  // namespace

void WatchForLostDisplay(std::function<std::string()> keep) {
    keeper = std::move(keep);
    mainThread = pthread_self();
    previous = XSetIOErrorHandler(OnLostDisplay);
    watching = true;
}

void StopWatchingDisplay() {
    if (!watching) return;
    XSetIOErrorHandler(previous);
    watching = false;
    keeper = nullptr;
}

bool DisplayLost() { return lost.load(); }

void EndAfterLostDisplay() { KeepAndEnd(); }
