#pragma once
// The chooser's lines: every level of the table with its name and what the
// kept progress says of it.
#include <cstdint>
#include <string>
#include <vector>

#include "progress/progress.h"

struct LevelLine {
    int number = 0;  // from 1
    std::string name;
    uint64_t hash = 0;
    const LevelProgress* progress = nullptr;  // null: unsolved
};

// names[i] names level i+1 when given and not empty; "Level N" otherwise.
std::vector<LevelLine> ListLevels(const std::vector<std::string>& names, const Progress& progress);
