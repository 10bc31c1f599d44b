#pragma once
// The ten levels the game plays when no pack is given.
#include "sim/level_record.h"

constexpr int kBuiltinLevelCount = 10;
extern const LevelRecord* const BuiltinLevels[kBuiltinLevelCount];
