#pragma once
// The levels to play, in order: the built-in ten or those of a level pack file.
#include <cstddef>
#include <istream>
#include <string>
#include <vector>

#include "sim/level_record.h"

constexpr int kBuiltinLevelCount = 10;
extern const LevelRecord* const BuiltinLevels[kBuiltinLevelCount];

extern const LevelRecord* const* LevelTable;
extern int LevelCount;

// Record arrays read from a level pack file, owned from start-up to shutdown.
extern std::vector<LevelRecord*> PackLevels;

constexpr int kPackFileHeaderSize = 1424;
constexpr int kPackLevelHeaderSize = 128;

// The reader stops after this many records in all, as if the file ended there.
constexpr std::size_t kMaxPackRecords = std::size_t{1} << 22;

// Reads the pack at path; if it opens, its levels replace LevelTable. A path
// that is not a regular file is not opened: false, with the reason in error
// if given, and the table stays as it was.
bool LoadLevelPack(const char* path, std::string* error = nullptr);
// The same from a stream already open on a pack, read from where it stands
// (a stream just opened: the start). The pack tool reads the file's size and
// headers from the same open file, so that all it says is of one file.
void LoadLevelPack(std::istream& in);
// Frees the pack's record arrays (shutdown). The built-in table is restored.
void FreeLevelPack();
