#pragma once
// How the player likes the window and the sound, and which assists the
// player's edition gives, kept in settings.txt:
//
//   zandrove-settings 2
//   scale 2            (1 to 4, or auto)
//   fullscreen no
//   mute yes
//   volume 80          (0 to 100, every sample)
//   fixed-fuses yes    (the player's edition: the fuse beside every fixed bomb)
//   run-clock yes      (the run's time in seconds)
//   fast-forward yes   (F held: four frames a shown frame)
//   pause yes          (P in run mode)
//   undo yes           (Ctrl+Z; a bomb dragged onto the inventory goes back)
//
// Version 1 knew the first three lines only; it is still read (the rest
// then as by default).
#include <string>
#include <string_view>

constexpr int kSettingsVersion = 2;
constexpr int kMaxScale = 4;
constexpr int kAutoScale = 0;  // the largest scale that fits the desktop
constexpr int kFullVolume = 100;

// The player's edition's helps, each on or off.
struct Assists {
    bool fixedFuses = true;
    bool runClock = true;
    bool fastForward = true;
    bool pause = true;
    bool undo = true;
    friend bool operator==(const Assists&, const Assists&) = default;
};

struct Settings {
    int scale = 1;  // 1 to kMaxScale, or kAutoScale
    bool fullscreen = false;
    bool mute = false;
    int volume = kFullVolume;  // 0 to kFullVolume
    Assists assists;
    friend bool operator==(const Settings&, const Settings&) = default;
};

std::string FormatSettings(const Settings& settings);
// False with a one-line reason; a line this version does not know is an error.
bool ParseSettings(std::string_view text, Settings& out, std::string& error);
// "1".."4" or "auto".
bool ParseScale(const std::string& word, int& scale);
