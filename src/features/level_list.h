#pragma once
// The chooser's lines: every level of the list with its name and what the
// kept progress says of it.
#include <cstdint>
#include <string>
#include <vector>

#include "packs/pack_model.h"
#include "progress/progress.h"

struct LevelLine {
    int number = 0;  // from 1
    std::string name;
    uint64_t hash = 0;
    const LevelProgress* progress = nullptr;  // null: unsolved
};

// A level without a name is "Level N".
std::vector<LevelLine> ListLevels(const LevelList& levels, const Progress& progress);
