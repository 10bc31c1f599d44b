#pragma once
// The sets of levels the player's edition offers: the built-in ten, and the
// packs the game ships beside its assets (more.pak, hard.pak), each a set of
// its own with the name its menu line shows. A pack the player names is the
// one set played.
#include <functional>
#include <string>
#include <vector>

#include "packs/pack_model.h"

namespace edition {

struct LevelSet {
    std::string name;  // as the set menu shows it: "Second set"
    LevelList levels;
};
using LevelSets = std::vector<LevelSet>;

// The built-in levels, then every shipped pack found in the current
// directory (the assets' own), each read once. A pack that is there but
// refused gets one line through report and is left out; one that is not
// there is no fault (a build without it).
LevelSets ShippedSets(const std::function<void(const std::string& line)>& report);

}  // namespace edition
