#pragma once
// The settings: window scale, full screen, sound volume and mute, and each
// assist on or off. Every change is made at once and kept (the caller's
// part); Esc or Back leaves.
#include "edition/menu.h"
#include "progress/settings.h"

struct Assets;
struct Picture;

namespace edition {

class SettingsScreen {
public:
    SettingsScreen();
    // One frame's input against the settings as they are. False when the
    // player leaves the screen; chosen is set, and true returned in changed,
    // when a setting was changed.
    bool Input(const ScreenInput& input, const Settings& now, Settings& chosen, bool& changed);
    void Draw(Picture* target, const Assets& assets, const Settings& now);
    Menu& Lines() { return menu_; }

private:
    void Fill(const Settings& now);
    Menu menu_;
};

// The value after (step +1) or before (step -1) the one of line `line`.
Settings Changed(const Settings& now, int line, int step);

}  // namespace edition
