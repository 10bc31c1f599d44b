#include "features/level_list.h"

#include "packs/level_table.h"
#include "packs/level_hash.h"

std::vector<LevelLine> ListLevels(const std::vector<std::string>& names, const Progress& progress) {
    std::vector<LevelLine> lines;
    for (int i = 0; i < LevelCount; ++i) {
        LevelLine line;
        line.number = i + 1;
        const bool named = static_cast<size_t>(i) < names.size() && !names[i].empty();
        line.name = named ? names[i] : "Level " + std::to_string(i + 1);
        line.hash = LevelHash(LevelTable[i]);
        line.progress = progress.Find(line.hash);
        lines.push_back(std::move(line));
    }
    return lines;
}
