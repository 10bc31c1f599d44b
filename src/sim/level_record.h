#pragma once
// One thing on the play-field, as stored in memory, in the built-in levels and
// in level pack files alike.
#include <bit>
#include <cstdint>

struct LevelRecord {
    int16_t type;
    int16_t x;
    int16_t y;
    int16_t w;
    int16_t h;
    int16_t param;
    int16_t reserved0;
    int16_t reserved1;
};
static_assert(sizeof(LevelRecord) == 16, "a level record is eight 16-bit fields without padding");
static_assert(std::endian::native == std::endian::little,
              "pack files are read into records byte for byte; a big-endian host needs a swap");

enum LevelRecordType : uint16_t {
    REC_END = 0,
    REC_BLOCK = 1,
    REC_BRICK = 2,
    REC_HAMSTER = 3,
    REC_BOMB = 4,
    REC_FIXED_BOMB = 5,
    REC_EXIT = 7,
};
