#pragma once
// PNG files with an alpha channel, for the icons the desktop shows (the game
// itself reads only BMP). Written by libpng: no time stamp, so the same
// picture always gives the same bytes.
#include <cstdint>
#include <vector>

#include "image.h"

namespace gen {

// 8-bit RGBA, straight alpha. Throws std::runtime_error if libpng fails.
std::vector<uint8_t> EncodePng(const Image& img);

}  // namespace gen
