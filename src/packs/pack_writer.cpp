#include "packs/pack_writer.h"

#include <cstdint>

#include "packs/pack_header.h"

namespace {

void AppendRecord(std::vector<unsigned char>& out, const LevelRecord& r) {
    for (int16_t f : {r.type, r.x, r.y, r.w, r.h, r.param, r.reserved0, r.reserved1}) {
        const auto u = static_cast<uint16_t>(f);
        out.push_back(static_cast<unsigned char>(u & 0xFF));
        out.push_back(static_cast<unsigned char>(u >> 8));
    }
}

}  // namespace

std::vector<unsigned char> EncodePack(const LevelList& levels) {
    std::vector<unsigned char> out;
    AppendFileHeader(out, static_cast<uint32_t>(levels.size()));
    for (const PackLevel& level : levels) {
        AppendLevelHeader(out, level.name);
        // The game reads a level up to its first type-0 record, so nothing may
        // follow one, and a level without one would swallow the next.
        bool ended = false;
        for (const LevelRecord& r : level.records) {
            AppendRecord(out, r);
            if (r.type == REC_END) {
                ended = true;
                break;
            }
        }
        if (!ended) AppendRecord(out, kEndRecord);
    }
    return out;
}
