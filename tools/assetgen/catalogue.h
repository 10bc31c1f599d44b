#pragma once
// Which generator makes which of the game's files.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace gen {

struct AssetMaker {
    std::string file;
    std::function<std::vector<uint8_t>()> encode;
};

// One entry per file the game loads, in the game's loading order, then the
// design bar, which only the designer loads.
// Throws std::logic_error if a file has no generator.
std::vector<AssetMaker> Catalogue();

// The menu icons, at the sizes the desktop asks for, as paths below an icon
// theme's directory ("48x48/apps/zandrove.png").
std::vector<AssetMaker> IconCatalogue();

}  // namespace gen
