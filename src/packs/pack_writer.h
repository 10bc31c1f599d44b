#pragma once
// Writing a level pack file: the 1424-byte file header, then per level its
// 128-byte header and its 16-byte little-endian records through the first of
// type 0.
#include <vector>

#include "packs/pack_model.h"

std::vector<unsigned char> EncodePack(const LevelList& levels);
