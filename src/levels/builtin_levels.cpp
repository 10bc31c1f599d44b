#include "levels/level_table.h"

namespace {
const LevelRecord kEmpty[] = {{0, 0, 0, 0, 0, 0, 0, 0}};
}
const LevelRecord* const BuiltinLevels[kBuiltinLevelCount] = {kEmpty, kEmpty, kEmpty, kEmpty, kEmpty,
                                                              kEmpty, kEmpty, kEmpty, kEmpty, kEmpty};
