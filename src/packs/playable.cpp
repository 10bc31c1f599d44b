#include "packs/playable.h"

#include "packs/pack_checker.h"

namespace {

// The first error and how many there are, as the line says them.
bool NoErrors(long errors, const Finding& first, std::string& why) {
    if (errors == 0) return true;
    why = std::to_string(errors) + (errors == 1 ? " error" : " errors") + " in it";
    if (first.level >= 0) why += ", the first in level " + std::to_string(first.level + 1);
    why += ": " + first.message;
    return false;
}

}  // namespace

bool PlayablePack(const PackFile& pack, PackRule rule, std::string& why) {
    if (pack.levels.empty()) {
        why = "no complete level in it";
        return false;
    }
    if (rule == PackRule::Complete) return true;
    long errors = 0;
    Finding first;
    CheckPackFile(pack, [&](const Finding& f) {
        if (f.severity == Severity::Error && errors++ == 0) first = f;
    });
    return NoErrors(errors, first, why);
}

bool PlayableLevels(const LevelList& levels, PackRule rule, std::string& why) {
    if (levels.empty()) {
        why = "no complete level in it";
        return false;
    }
    if (rule == PackRule::Complete) return true;
    long errors = 0;
    Finding first;
    CheckLevels(levels, [&](const Finding& f) {
        if (f.severity == Severity::Error && errors++ == 0) first = f;
    });
    return NoErrors(errors, first, why);
}
