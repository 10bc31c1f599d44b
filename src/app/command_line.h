#pragma once
// The game's command line:
//   zandrove [--menu] [--level N] [--scale N|auto] [--fullscreen] [--mute] [--] [PACK [WORD...]]
//   zandrove [--scale N|auto] [--fullscreen] [--mute] --design FILE
//   zandrove --help | --version
#include <optional>
#include <string>
#include <vector>

struct GameOptions {
    std::optional<int> level;       // from 1; checked against the table once it is loaded
    std::optional<int> scale;       // 1..4, or kAutoScale
    std::optional<bool> fullscreen;  // set only when given: settings fill the rest
    std::optional<bool> mute;
    bool menu = false;   // --menu: the player's edition, from its title screen
    std::string design;  // --design FILE: the level designer's file
    std::string pack;    // empty: the built-in levels
    std::vector<std::string> ignored;  // the words after the pack, as the game has always ignored them
    bool help = false;
    bool version = false;
};

extern const char* const kGameUsage;
extern const char* const kGameKeys;
// What --help adds to the usage: the words ignored, the options' reach.
extern const char* const kGameNotes;

// False with a one-line message naming the option or word at fault.
bool ParseCommandLine(const std::vector<std::string>& args, GameOptions& out, std::string& error);
// The line that names the ignored words ("ignored: extra words"), or empty.
std::string IgnoredNote(const GameOptions& options);
// --level against the number of levels in the table.
bool CheckLevelOption(const GameOptions& options, int levelCount, std::string& error);
