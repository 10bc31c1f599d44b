#pragma once
// Finding what makes a level broken or unplayable before anyone plays it.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "packs/pack_model.h"
#include "packs/pack_reader.h"
#include "sim/placement.h"

enum class Severity { Warning, Error };

struct Finding {
    Severity severity = Severity::Error;
    int level = -1;       // 0-based; -1 for the file as a whole
    int record = -1;      // 0-based within the level; -1 for the level as a whole
    int related = -1;     // another record of the same level that the message names, or -1
    int64_t byte = -1;    // a byte offset in the file, where no record says it better
    std::string message;
};


// Findings are handed over one by one as they are found, so that a level of
// millions of faulty records is checked in memory for its records only.
using FindingSink = std::function<void(const Finding&)>;

// The findings of one level (its records end with the type-0 record): those
// of the level as a whole first, then record by record. Time and memory grow
// linearly with the records, however they are stacked; the exits against the
// blocks and bricks within their reach add that number times its logarithm.
void CheckLevel(const std::vector<LevelRecord>& records, int levelIndex, const FindingSink& sink);
// Every level's findings, and an error for a list with no level at all.
void CheckLevels(const LevelList& levels, const FindingSink& sink);
// As CheckLevels, plus what the game's reader drops or never reaches.
void CheckPackFile(const PackFile& pack, const FindingSink& sink);

// The same, collected.
std::vector<Finding> CheckLevel(const std::vector<LevelRecord>& records, int levelIndex);
std::vector<Finding> CheckLevels(const LevelList& levels);
std::vector<Finding> CheckPackFile(const PackFile& pack);
