#pragma once
// Bomb placements that complete the built-in levels, read from the level
// tools' solutions file (tests/data/solutions.txt), so that the soak and the
// fuzzer's seeds finish levels as a player would.
#include <string>
#include <vector>

struct BombPlacement {
    int x, y, fuse;
};

// Index: built-in level number - 1. A level without a solution is empty.
using SolutionTable = std::vector<std::vector<BombPlacement>>;

// Lines "LEVEL FRAME HASH X,Y,FUSE ..."; '#' starts a comment. Lines that do
// not read are skipped; a missing file gives an empty table (error says why).
SolutionTable ReadSolutions(const std::string& path, std::string& error);
