#pragma once
// A level told apart by its records alone: the same records give the same
// hash in the built-in table and in any pack, and an edited level another.
#include <cstdint>
#include <string>

struct LevelRecord;

// FNV-1a over the records' bytes, up to and including the terminator.
uint64_t LevelHash(const LevelRecord* records);
std::string FormatLevelHash(uint64_t hash);  // 16 lower-case hex digits
bool ParseLevelHash(const std::string& text, uint64_t& out);
