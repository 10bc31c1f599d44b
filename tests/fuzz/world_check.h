#pragma once
// What must hold of the world built from a level's records, at level start
// and after any number of frames: one object per record of a type the game
// builds, in record order and of the record's class (hamsters only up to the
// exit mask's width), every inventory bomb in the bomb list in the same order
// with a placed flag beside it, the hamster count and the exit mask within
// the hamsters built, the selected bomb one of the inventory's.
struct LevelRecord;
class World;

// Aborts through FuzzFailure, saying what broke, unless all that holds.
void CheckWorld(const World& world, const LevelRecord* records);
