#include "levels/level_table.h"

const LevelRecord* const* LevelTable = BuiltinLevels;
int LevelCount = kBuiltinLevelCount;
std::vector<LevelRecord*> PackLevels;

void LoadLevelPack(const char*) {}

void FreeLevelPack() {
    for (LevelRecord* level : PackLevels) delete[] level;
    PackLevels.clear();
    LevelTable = BuiltinLevels;
    LevelCount = kBuiltinLevelCount;
}
