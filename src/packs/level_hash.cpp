#include "packs/level_hash.h"

#include <cstdio>

#include "sim/level_record.h"

uint64_t LevelHash(const LevelRecord* records) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (const LevelRecord* r = records;; ++r) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(r);
        for (size_t i = 0; i < sizeof(LevelRecord); ++i) {
            h ^= bytes[i];
            h *= 0x100000001b3ull;
        }
        if (r->type == REC_END) break;
    }
    return h;
}

std::string FormatLevelHash(uint64_t hash) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

bool ParseLevelHash(const std::string& text, uint64_t& out) {
    if (text.size() != 16) return false;
    uint64_t v = 0;
    for (char c : text) {
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else
            return false;
        v = v << 4 | static_cast<uint64_t>(d);
    }
    out = v;
    return true;
}
