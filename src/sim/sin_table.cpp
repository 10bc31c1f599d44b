#include "sim/sin_table.h"

#include <cmath>

namespace {

std::array<int16_t, kSinTableSize> BuildSinTable() {
    std::array<int16_t, kSinTableSize> t{};
    const double pi = std::acos(-1.0);
    for (int i = 0; i < 2048; ++i) {
        const double v = 32767.0 * std::sin(2.0 * pi * i / 2048.0);
        t[i] = static_cast<int16_t>(v > 0 ? std::ceil(v) : v < 0 ? std::floor(v) : 0.0);
    }
    // The zero crossings carry the sign the game's feel was tuned with.
    t[0] = -1;
    t[1024] = 1;
    for (int i = 2048; i < kSinTableSize; ++i) t[i] = t[i - 2048];
    return t;
}

}  // namespace

const std::array<int16_t, kSinTableSize> SinTable = BuildSinTable();
