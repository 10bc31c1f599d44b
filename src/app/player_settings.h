#pragma once
// Scale, full screen and mute: kept between games in settings.txt, with what
// the command line says on top.
#include "app/command_line.h"
#include "progress/kept_file.h"
#include "progress/settings.h"

struct PlayerSettings {
    KeptFile file{KeptFilePath("XDG_CONFIG_HOME", ".config", "settings.txt")};
    Settings kept;
    Settings now;

    explicit PlayerSettings(const GameOptions& options);
    // now becomes the kept settings, written at once.
    void Keep();
};
