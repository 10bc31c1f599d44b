#include "pack/finding_format.h"

namespace {

const char* SeverityWord(Severity s) { return s == Severity::Error ? "error" : "warning"; }

}  // namespace

std::string FormatTextFinding(std::string_view file, const LevelList& levels, const Finding& f) {
    std::string s(file);
    std::string related;
    if (f.level >= 0 && static_cast<std::size_t>(f.level) < levels.size()) {
        const PackLevel& level = levels[f.level];
        int line = level.line;
        if (f.record >= 0 && static_cast<std::size_t>(f.record) < level.recordLines.size())
            line = level.recordLines[f.record];
        s += ":" + std::to_string(line);
        if (f.related >= 0 && static_cast<std::size_t>(f.related) < level.recordLines.size())
            related = " (line " + std::to_string(level.recordLines[f.related]) + ")";
    }
    return s + ": " + SeverityWord(f.severity) + ": " + f.message + related;
}

std::string FormatPackFinding(std::string_view file, const PackFile& pack, const Finding& f) {
    std::string s(file);
    std::string related;
    if (f.level >= 0) {
        s += ": level " + std::to_string(f.level + 1);
        if (pack.namedHeaders && static_cast<std::size_t>(f.level) < pack.levels.size())
            s += " \"" + pack.levels[f.level].name + "\"";
        if (f.record >= 0) s += ", record " + std::to_string(f.record + 1);
        if (f.related >= 0) related = " (record " + std::to_string(f.related + 1) + ")";
    }
    if (f.byte >= 0) s += (f.level >= 0 ? ", byte " : ": byte ") + std::to_string(f.byte);
    return s + ": " + SeverityWord(f.severity) + ": " + f.message + related;
}
