#pragma once
// A file's bytes in one number (FNV-1a, 64 bits): enough to tell whether a
// file still holds what was read from it or written to it.
#include <cstdint>
#include <string_view>

uint64_t ContentHash(std::string_view bytes);
