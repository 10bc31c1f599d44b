#include "packs/finding_format.h"

namespace {

const char* SeverityWord(Severity s) { return s == Severity::Error ? "error" : "warning"; }

// Each line is made in one string, reserved once: `check` may format
// millions of findings.
std::string Start(std::string_view file, const Finding& f) {
    std::string s;
    s.reserve(file.size() + f.message.size() + 96);
    s.append(file);
    return s;
}

void End(std::string& s, const Finding& f) {
    s += ": ";
    s += SeverityWord(f.severity);
    s += ": ";
    s += f.message;
}

}  // namespace

std::string FormatTextFinding(std::string_view file, const LevelList& levels, const Finding& f) {
    std::string s = Start(file, f);
    int relatedLine = -1;
    if (f.level >= 0 && static_cast<std::size_t>(f.level) < levels.size()) {
        const PackLevel& level = levels[f.level];
        int line = level.line;
        if (f.record >= 0 && static_cast<std::size_t>(f.record) < level.recordLines.size())
            line = level.recordLines[f.record];
        s += ':';
        s += std::to_string(line);
        if (f.related >= 0 && static_cast<std::size_t>(f.related) < level.recordLines.size())
            relatedLine = level.recordLines[f.related];
    }
    End(s, f);
    if (relatedLine >= 0) {
        s += " (line ";
        s += std::to_string(relatedLine);
        s += ')';
    }
    return s;
}

std::string FormatPackFinding(std::string_view file, const PackFile& pack, const Finding& f) {
    std::string s = Start(file, f);
    if (f.level >= 0) {
        s += ": level ";
        s += std::to_string(f.level + 1);
        if (pack.namedHeaders && static_cast<std::size_t>(f.level) < pack.levels.size()) {
            s += " \"";
            s += pack.levels[f.level].name;
            s += '"';
        }
        if (f.record >= 0) {
            s += ", record ";
            s += std::to_string(f.record + 1);
        }
    }
    if (f.byte >= 0) {
        s += f.level >= 0 ? ", byte " : ": byte ";
        s += std::to_string(f.byte);
    }
    End(s, f);
    if (f.level >= 0 && f.related >= 0) {
        s += " (record ";
        s += std::to_string(f.related + 1);
        s += ')';
    }
    return s;
}
