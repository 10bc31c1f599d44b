#include "packs/pack_model.h"

#include <cstring>
#include <string>

#include "packs/builtin_levels.h"

const char* RecordTypeName(int16_t type) {
    switch (static_cast<uint16_t>(type)) {
        case REC_BLOCK: return "block";
        case REC_BRICK: return "brick";
        case REC_HAMSTER: return "hamster";
        case REC_BOMB: return "bomb";
        case REC_FIXED_BOMB: return "fixed-bomb";
        case REC_EXIT: return "exit";
        default: return nullptr;
    }
}

bool SameRecord(const LevelRecord& a, const LevelRecord& b) {
    return std::memcmp(&a, &b, sizeof(LevelRecord)) == 0;
}

LevelList BuiltinLevelList() {
    LevelList levels;
    for (int i = 0; i < kBuiltinLevelCount; ++i) {
        PackLevel level;
        level.name = "Level " + std::to_string(i + 1);
        const LevelRecord* r = BuiltinLevels[i];
        do level.records.push_back(*r);
        while ((r++)->type != REC_END);
        levels.push_back(std::move(level));
    }
    return levels;
}
