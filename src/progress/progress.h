#pragma once
// What the player has solved: per level (by LevelHash) whether a hint was
// needed and the best run, with the bombs that replay it exactly (the
// physics is deterministic). Kept in progress.txt, a text people can read:
//
//   zandrove-progress 1
//   level 3f2a9c0e11d2b4c7 solved frame 357 bomb 1 548 104 6 bomb 2 399 177 105
//
// One line per solved level: its hash, "solved" or "hinted" (solved only
// after a hint), the completion frame of the best run and its bombs, each
// as inventory slot (from 1), X, Y and fuse in frames.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "sim/placement.h"

constexpr int kProgressVersion = 1;

// A completed run: the bombs placed when it started, and the frame (counted
// from the frame that started it, 0) in which the level was complete.
struct RunResult {
    std::vector<BombPlacement> bombs;
    int frame = 0;
    friend bool operator==(const RunResult&, const RunResult&) = default;
};

// Fewer bombs first, then the earlier completion.
bool BetterResult(const RunResult& a, const RunResult& b);

struct LevelProgress {
    bool hinted = false;  // every completion so far came after a hint
    RunResult best;
    friend bool operator==(const LevelProgress&, const LevelProgress&) = default;
};

struct Progress {
    std::map<uint64_t, LevelProgress> levels;

    const LevelProgress* Find(uint64_t hash) const;
    // Keeps the better result; a completion without a hint clears "hinted".
    void Record(uint64_t hash, const RunResult& run, bool afterHint);
    // The best of both per level (another game's progress, kept meanwhile);
    // true when other had anything this did not.
    bool Merge(const Progress& other);
};

std::string FormatProgress(const Progress& progress);
// False with a one-line reason for anything but a well-formed file of this
// version or older.
bool ParseProgress(std::string_view text, Progress& out, std::string& error);
