#pragma once
// A level pack as the pack tool holds it: named levels of records, each ending
// with its type-0 record exactly as the game stores them, plus where each level
// and record came from when they were read from a level text.
#include <cstdint>
#include <string>
#include <vector>

#include "sim/level_record.h"

struct PackLevel {
    std::string name;
    std::vector<LevelRecord> records;  // the last one, and only it, has type 0
    int line = 0;                      // the `level` line of a text; 0 if none
    std::vector<int> recordLines;      // per record, its text line; empty if none
};

using LevelList = std::vector<PackLevel>;

// The name a level text gives a record type ("block", "fixed-bomb", ...), or
// null for a type the game does not build.
const char* RecordTypeName(int16_t type);

// A record with every field zero: the usual end of a level.
constexpr LevelRecord kEndRecord{};

// An inventory bomb as the game's own levels store it: where the game keeps
// unplaced bombs, param 4.
constexpr LevelRecord kInventoryBombRecord{REC_BOMB, -2048, -2048, 0, 0, 4, 0, 0};

bool SameRecord(const LevelRecord& a, const LevelRecord& b);

// The levels the game ships with, as a list; each is named "Level N".
LevelList BuiltinLevelList();
