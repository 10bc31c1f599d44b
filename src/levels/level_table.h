#pragma once
// The levels to play, in order: the built-in ten or those of a level pack file.
#include <vector>

#include "levels/level_record.h"

constexpr int kBuiltinLevelCount = 10;
extern const LevelRecord* const BuiltinLevels[kBuiltinLevelCount];

extern const LevelRecord* const* LevelTable;
extern int LevelCount;

// Record arrays read from a level pack file, owned from start-up to shutdown.
extern std::vector<LevelRecord*> PackLevels;

constexpr int kPackFileHeaderSize = 1424;
constexpr int kPackLevelHeaderSize = 128;

// Reads the pack at path; if it opens, its levels replace LevelTable.
void LoadLevelPack(const char* path);
// Frees the pack's record arrays (shutdown). The built-in table is restored.
void FreeLevelPack();
