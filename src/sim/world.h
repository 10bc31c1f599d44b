#pragma once
// The objects of the level being played.
#include <vector>

#include "sim/level_record.h"

class cObject;
class cBomb;

extern std::vector<cObject*> ObjectList;  // every object, record order; owns them
extern std::vector<cBomb*> BombList;      // the inventory bombs, record order
extern std::vector<bool> BombPlaced;      // per BombList entry: taken out of the inventory

// A level holds at most this many hamsters: one ExitMask bit each.
constexpr int kMaxHamsters = 32;

// Frees the previous world and builds the objects of records (ended by REC_END).
// HamsterCount counts the hamsters built, from 0.
void BuildLevel(const LevelRecord* records);
// Level end: every object destroyed and its entry nulled.
void DestroyWorldObjects();
