#pragma once
// Uncompressed 24-bit BMP files, the kind Allegro's load_bmp reads.
#include <cstdint>
#include <vector>

#include "image.h"

namespace gen {

std::vector<uint8_t> EncodeBmp(const Pixels& pixels);

}  // namespace gen
