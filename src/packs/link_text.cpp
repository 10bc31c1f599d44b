#include "packs/link_text.h"

#include "packs/text_parser.h"

bool LevelsFromLinkText(std::string_view text, LinkKind kind, LevelList& levels, std::string& error) {
    ParsedText parsed = ParseLevelText(text);
    if (!parsed.errors.empty()) {
        const TextError& first = parsed.errors.front();
        error = "the link's level text has an error at line " + std::to_string(first.line) + ": " + first.message;
        return false;
    }
    if (parsed.levels.empty()) {
        error = "the link holds no level";
        return false;
    }
    if (kind == LinkKind::Level && parsed.levels.size() != 1) {
        error = "a level link holds " + std::to_string(parsed.levels.size()) + " levels";
        return false;
    }
    levels = std::move(parsed.levels);
    return true;
}
