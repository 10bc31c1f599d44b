#include "edition/level_sets.h"

#include <filesystem>

#include "packs/builtin_levels.h"
#include "packs/pack_reader.h"
#include "packs/playable.h"

namespace edition {

namespace {

struct ShippedPack {
    const char* file;
    const char* name;
};
constexpr ShippedPack kShipped[] = {{"more.pak", "Second set"}, {"hard.pak", "Third set (hard)"}};

}  // namespace

LevelSets ShippedSets(const std::function<void(const std::string& line)>& report) {
    LevelSets sets;
    sets.push_back({"First set", BuiltinLevelList()});
    for (const ShippedPack& shipped : kShipped) {
        std::error_code ec;
        if (!std::filesystem::exists(shipped.file, ec)) continue;
        PackFile file;
        std::string why;
        if (ReadPackFile(shipped.file, file, why) && PlayablePack(file, PackRule::Complete, why)) {
            sets.push_back({shipped.name, std::move(file.levels)});
            continue;
        }
        if (report) report(std::string("'") + shipped.file + "' refused: " + why + "; its set is left out");
    }
    return sets;
}

}  // namespace edition
