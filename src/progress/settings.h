#pragma once
// How the player likes the window and the sound, kept in settings.txt:
//
//   zandrove-settings 1
//   scale 2            (1 to 4, or auto)
//   fullscreen no
//   mute yes
#include <string>
#include <string_view>

constexpr int kSettingsVersion = 1;
constexpr int kMaxScale = 4;
constexpr int kAutoScale = 0;  // the largest scale that fits the desktop

struct Settings {
    int scale = 1;  // 1 to kMaxScale, or kAutoScale
    bool fullscreen = false;
    bool mute = false;
    friend bool operator==(const Settings&, const Settings&) = default;
};

std::string FormatSettings(const Settings& settings);
// False with a one-line reason; a line this version does not know is an error.
bool ParseSettings(std::string_view text, Settings& out, std::string& error);
// "1".."4" or "auto".
bool ParseScale(const std::string& word, int& scale);
