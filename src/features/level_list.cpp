#include "features/level_list.h"

#include "packs/level_hash.h"

std::vector<LevelLine> ListLevels(const LevelList& levels, const Progress& progress) {
    std::vector<LevelLine> lines;
    for (size_t i = 0; i < levels.size(); ++i) {
        LevelLine line;
        line.number = static_cast<int>(i) + 1;
        line.name = levels[i].name.empty() ? "Level " + std::to_string(i + 1) : levels[i].name;
        line.hash = LevelHash(levels[i].records.data());
        line.progress = progress.Find(line.hash);
        lines.push_back(std::move(line));
    }
    return lines;
}
