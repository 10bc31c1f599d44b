#pragma once
// Scale, full screen, the sound and the player's edition's assists: kept
// between games in settings.txt, with what the command line says on top for
// this run only.
#include "app/command_line.h"
#include "progress/kept_file.h"
#include "progress/settings.h"

struct PlayerSettings {
    KeptFile file{KeptFilePath("XDG_CONFIG_HOME", ".config", "settings.txt")};
    Settings kept;  // as in the file: what the player chose in the game
    Settings now;   // this run's: the kept ones with the command line's options on top

    explicit PlayerSettings(const GameOptions& options);
    // The player's own choice in the game (M, F11, the settings screen):
    // what differs from now is made now and written at once over the kept
    // settings, so that this run's options never reach the file.
    void Choose(const Settings& chosen);
    void ChooseMute(bool mute);
    void ChooseFullscreen(bool fullscreen);

private:
    void Keep();
};
