#pragma once
// The game's only angle source: 2048 units a turn, 32767 standing for 1.0.
#include <array>
#include <cstdint>

constexpr int kSinTableSize = 2560;  // a full turn plus a quarter, so Cos needs no wrap
extern const std::array<int16_t, kSinTableSize> SinTable;

inline int16_t Sin(int32_t a) { return SinTable[a & 2047]; }
inline int16_t Cos(int32_t a) { return SinTable[(a & 2047) + 512]; }
