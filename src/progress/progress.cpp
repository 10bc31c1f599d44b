#include "progress/progress.h"

#include "packs/level_hash.h"
#include "progress/word_lines.h"

namespace {
constexpr const char* kName = "zandrove-progress";
constexpr int kMaxBombs = kInventorySlots;
}

bool BetterResult(const RunResult& a, const RunResult& b) {
    if (a.bombs.size() != b.bombs.size()) return a.bombs.size() < b.bombs.size();
    return a.frame < b.frame;
}

const LevelProgress* Progress::Find(uint64_t hash) const {
    const auto it = levels.find(hash);
    return it == levels.end() ? nullptr : &it->second;
}

void Progress::Record(uint64_t hash, const RunResult& run, bool afterHint) {
    const auto [it, fresh] = levels.try_emplace(hash, LevelProgress{afterHint, run});
    if (fresh) return;
    LevelProgress& level = it->second;
    level.hinted = level.hinted && afterHint;
    if (BetterResult(run, level.best)) level.best = run;
}

bool Progress::Merge(const Progress& other) {
    bool learnt = false;
    for (const auto& [hash, theirs] : other.levels) {
        const auto [it, fresh] = levels.try_emplace(hash, theirs);
        LevelProgress& level = it->second;
        if (fresh || (level.hinted && !theirs.hinted) || BetterResult(theirs.best, level.best)) learnt = true;
        if (fresh) continue;
        level.hinted = level.hinted && theirs.hinted;
        if (BetterResult(theirs.best, level.best)) level.best = theirs.best;
    }
    return learnt;
}

std::string FormatProgress(const Progress& progress) {
    std::string text = std::string(kName) + " " + std::to_string(kProgressVersion) + "\n";
    text += "# level HASH solved|hinted frame N, then per bomb: bomb SLOT X Y FUSE\n";
    for (const auto& [hash, level] : progress.levels) {
        text += "level " + FormatLevelHash(hash) + (level.hinted ? " hinted" : " solved") + " frame " +
                std::to_string(level.best.frame);
        for (const BombPlacement& b : level.best.bombs)
            text += " bomb " + std::to_string(b.slot + 1) + " " + std::to_string(b.x) + " " + std::to_string(b.y) +
                    " " + std::to_string(b.fuse);
        text += "\n";
    }
    return text;
}

namespace {

bool ParseLevelLine(const std::vector<std::string>& w, uint64_t& hash, LevelProgress& level) {
    if (w.size() < 5 || (w.size() - 5) % 5 != 0 || w[0] != "level" || !ParseLevelHash(w[1], hash)) return false;
    if (w[2] != "solved" && w[2] != "hinted") return false;
    level.hinted = w[2] == "hinted";
    if (w[3] != "frame" || !ParseWholeNumber(w[4], 0, 1000000000, level.best.frame)) return false;
    const size_t bombs = (w.size() - 5) / 5;
    if (bombs > static_cast<size_t>(kMaxBombs)) return false;
    for (size_t i = 5; i < w.size(); i += 5) {
        BombPlacement b;
        int x = 0, y = 0;
        if (w[i] != "bomb" || !ParseWholeNumber(w[i + 1], 1, kMaxBombs, b.slot) ||
            !ParseWholeNumber(w[i + 2], -32768, 32767, x) || !ParseWholeNumber(w[i + 3], -32768, 32767, y) ||
            !ParseWholeNumber(w[i + 4], -1000000, 1000000, b.fuse))
            return false;
        b.slot -= 1;
        b.x = static_cast<int16_t>(x);
        b.y = static_cast<int16_t>(y);
        for (const BombPlacement& earlier : level.best.bombs)
            if (earlier.slot >= b.slot) return false;  // slots rise along the line
        level.best.bombs.push_back(b);
    }
    return true;
}

}  // namespace

bool ParseProgress(std::string_view text, Progress& out, std::string& error) {
    out = Progress{};
    if (!text.empty() && text.back() != '\n') {
        error = "is cut off (no end of line at its end)";
        return false;
    }
    const auto lines = SplitWordLines(text);
    if (!CheckVersionLine(lines, kName, kProgressVersion, error)) return false;
    for (size_t i = 1; i < lines.size(); ++i) {
        uint64_t hash = 0;
        LevelProgress level;
        if (!ParseLevelLine(lines[i], hash, level) || !out.levels.try_emplace(hash, level).second) {
            error = "level entry " + std::to_string(i) + " is not readable";
            out = Progress{};
            return false;
        }
    }
    return true;
}
