#include "files/content_hash.h"

uint64_t ContentHash(std::string_view bytes) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (const char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
    return h;
}
