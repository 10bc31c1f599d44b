#include "progress/settings.h"

#include "progress/word_lines.h"

namespace {

constexpr const char* kName = "zandrove-settings";

const char* YesNo(bool v) { return v ? "yes" : "no"; }

bool ParseYesNo(const std::string& word, bool& out) {
    if (word != "yes" && word != "no") return false;
    out = word == "yes";
    return true;
}

// The yes-or-no lines after the first three, by name.
struct Switch {
    const char* name;
    bool Assists::*field;
};
constexpr Switch kAssistLines[] = {
    {"fixed-fuses", &Assists::fixedFuses}, {"run-clock", &Assists::runClock}, {"fast-forward", &Assists::fastForward},
    {"pause", &Assists::pause},            {"undo", &Assists::undo},
};

// A line that only version 2 has.
bool ParseLaterLine(const std::vector<std::string>& w, Settings& out) {
    if (w[0] == "volume") return ParseWholeNumber(w[1], 0, kFullVolume, out.volume);
    for (const Switch& s : kAssistLines)
        if (w[0] == s.name) return ParseYesNo(w[1], out.assists.*s.field);
    return false;
}

int Version(const std::vector<std::vector<std::string>>& lines) {
    int version = 0;
    ParseWholeNumber(lines[0][1], 1, 1000000, version);
    return version;
}

}  // namespace

bool ParseScale(const std::string& word, int& scale) {
    if (word == "auto") {
        scale = kAutoScale;
        return true;
    }
    return ParseWholeNumber(word, 1, kMaxScale, scale);
}

std::string FormatSettings(const Settings& s) {
    std::string text = std::string(kName) + " " + std::to_string(kSettingsVersion) + "\n" + "scale " +
                       (s.scale == kAutoScale ? std::string("auto") : std::to_string(s.scale)) + "\n" +
                       "fullscreen " + YesNo(s.fullscreen) + "\n" + "mute " + YesNo(s.mute) + "\n" + "volume " +
                       std::to_string(s.volume) + "\n";
    for (const Switch& sw : kAssistLines) text += std::string(sw.name) + " " + YesNo(s.assists.*sw.field) + "\n";
    return text;
}

bool ParseSettings(std::string_view text, Settings& out, std::string& error) {
    out = Settings{};
    const auto lines = SplitWordLines(text);
    if (!CheckVersionLine(lines, kName, kSettingsVersion, error)) return false;
    const bool later = Version(lines) >= 2;
    for (size_t i = 1; i < lines.size(); ++i) {
        const auto& w = lines[i];
        const bool ok = w.size() == 2 && ((w[0] == "scale" && ParseScale(w[1], out.scale)) ||
                                          (w[0] == "fullscreen" && ParseYesNo(w[1], out.fullscreen)) ||
                                          (w[0] == "mute" && ParseYesNo(w[1], out.mute)) ||
                                          (later && ParseLaterLine(w, out)));
        if (!ok) {
            error = "setting " + std::to_string(i) + " is not readable";
            out = Settings{};
            return false;
        }
    }
    return true;
}
