#pragma once
// Recorded solutions of levels, one per line:
//   LEVEL COMPLETION-FRAME TRACE-HASH X,Y,FUSE [X,Y,FUSE ...]
// '#' starts a comment. The tests, the soak, the fuzzer's seeds and the
// benchmarks all read the built-in levels' solutions from one such file.
#include <cstdint>
#include <string>
#include <vector>

#include "solve/bomb_options.h"

struct RecordedSolution {
    int level = 0;        // from 1
    int frame = 0;        // the frame in which the level completes
    uint64_t traceHash = 0;  // FNV-1a 64 of the simulator's --trace output
    std::vector<BombPlacement> bombs;
};

// False, with error naming the file (and line), when it cannot be read or a
// line is malformed; out then holds the lines read before.
bool ReadSolutionsFile(const std::string& path, std::vector<RecordedSolution>& out, std::string& error);

// The bombs of level's solution (from 1), or none.
std::vector<BombPlacement> SolutionBombs(const std::vector<RecordedSolution>& solutions, int level);
