#pragma once
// `zandrove --design FILE`: the level designer in the game's window.
#include <string>

struct PlayerSettings;

// Opens FILE (relative to the current directory) before any window: a file
// that is neither a level pack nor a level text is refused with one line on
// stderr and status 2. Otherwise designs until quit, in a window at the
// player's scale (or full screen) and with the sound as they set it; returns
// the exit status.
int RunDesigner(const std::string& file, const std::string& programDir, const PlayerSettings& settings);
