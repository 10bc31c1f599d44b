#pragma once
// The X server going away (the display closed, a remote session dropped):
// Xlib's own handler then ends the process at once, and Allegro's shutdown
// crashes on the dead connection. While it is watched, the work that must
// not be lost is kept first, the loss of the display is said on stderr, and
// the process ends with status 1.
#include <functional>
#include <string>

// keep writes what must not be lost and returns what to say of it. It runs
// once: on the main thread, or on Allegro's own when the main thread is
// stuck in the dead connection (and so changes nothing any more).
void WatchForLostDisplay(std::function<std::string()> keep);
void StopWatchingDisplay();
// The display is gone: the main thread must call Allegro no more, only
// EndAfterLostDisplay.
bool DisplayLost();
[[noreturn]] void EndAfterLostDisplay();
