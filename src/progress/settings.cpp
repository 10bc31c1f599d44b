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

}  // namespace

bool ParseScale(const std::string& word, int& scale) {
    if (word == "auto") {
        scale = kAutoScale;
        return true;
    }
    return ParseWholeNumber(word, 1, kMaxScale, scale);
}

std::string FormatSettings(const Settings& s) {
    return std::string(kName) + " " + std::to_string(kSettingsVersion) + "\n" +
           "scale " + (s.scale == kAutoScale ? std::string("auto") : std::to_string(s.scale)) + "\n" +
           "fullscreen " + YesNo(s.fullscreen) + "\n" + "mute " + YesNo(s.mute) + "\n";
}

bool ParseSettings(std::string_view text, Settings& out, std::string& error) {
    out = Settings{};
    const auto lines = SplitWordLines(text);
    if (!CheckVersionLine(lines, kName, kSettingsVersion, error)) return false;
    for (size_t i = 1; i < lines.size(); ++i) {
        const auto& w = lines[i];
        const bool ok = w.size() == 2 && ((w[0] == "scale" && ParseScale(w[1], out.scale)) ||
                                          (w[0] == "fullscreen" && ParseYesNo(w[1], out.fullscreen)) ||
                                          (w[0] == "mute" && ParseYesNo(w[1], out.mute)));
        if (!ok) {
            error = "setting " + std::to_string(i) + " is not readable";
            out = Settings{};
            return false;
        }
    }
    return true;
}
