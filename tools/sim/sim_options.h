#pragma once
// The simulator's command line.
#include <cstdint>
#include <string>
#include <vector>

#include "packs/pack_model.h"
#include "solve/bomb_options.h"

extern const char* const kSimUsage;

struct SimOptions {
    std::string pack;  // empty: the built-in levels
    int level = 0;     // 1-based
    std::vector<BombPlacement> bombs;
    int frames = 3600;
    bool trace = false;
    std::string screenshot;  // empty: none
    int at = -1;             // the frame to picture
    bool solve = false;
    bool hint = false;   // --hint: --solve as the game's hints search
    bool forgiveness = false;  // --forgiveness: how many placements around each bomb complete
    bool oneBomb = false;  // --one-bomb: can one bomb solve the level?
    int randomShare = 0;   // --random-share N: how many of N random single bombs complete it
    uint64_t seed = 1;     // --seed, for --random-share
    double budget = 60;  // seconds, for --solve (--one-bomb: none unless given)
    bool budgetGiven = false;
    int shown = 10;      // solutions printed by --solve
    bool help = false;
    bool version = false;
};

// False with a message for anything malformed, missing or contradictory.
// Checks that need the level (its number against the levels there are, the
// bombs against its inventory) are SimOptionsFitLevel's.
bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& out, std::string& error);

// The level number exists and the inventory holds enough bombs.
bool SimOptionsFitLevel(const SimOptions& options, const LevelList& levels, std::string& error);
