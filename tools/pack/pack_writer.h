#pragma once
// Writing a level pack file: the 1424-byte file header, then per level its
// 128-byte header and its 16-byte little-endian records through the first of
// type 0.
#include <string>
#include <vector>

#include "pack/pack_model.h"

std::vector<unsigned char> EncodePack(const LevelList& levels);

// Writes bytes to path; on failure returns false and says why in error.
bool WriteFileBytes(const std::string& path, const std::vector<unsigned char>& bytes, std::string& error);
