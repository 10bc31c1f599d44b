#include "app/command_line.h"

#include "progress/settings.h"
#include "progress/word_lines.h"

const char* const kGameUsage =
    "usage: zandrove [--menu] [--level N] [--scale N|auto] [--fullscreen] [--mute] [--] [PACK|LINK]\n"
    "       zandrove [--scale N|auto] [--fullscreen] [--mute] --design FILE|LINK\n"
    "       zandrove --help | --version\n";

const char* const kGameNotes =
    "Words after PACK are ignored; a PACK whose name starts with '-' goes after '--'.\n"
    "A LINK is a share link (zandrove-pack share); the designer opens one as a new shared.txt.\n"
    "--menu starts the player's edition: a title screen, results, settings and assists.\n"
    "The options are for this run only; what M, F11 and the settings screen choose is kept.\n";

const char* const kGameKeys =
    "Edit mode (nothing moves):\n"
    "  left click a slot      take a bomb from the inventory\n"
    "  drag, arrow keys       move the selected bomb\n"
    "  + / -, slider, right drag   set its fuse\n"
    "  1 to 5                 select a placed bomb\n"
    "  Space, Esc, right click   run / back to edit mode\n"
    "  L                      choose a level (arrows, wheel, click, Enter; W watches the best run; Esc back)\n"
    "  H                      hint: the next bomb of a solution (H again for the one after);\n"
    "                         a click on its ghost places it\n"
    "Any time:\n"
    "  M                      sound off / on\n"
    "  F11                    full screen / window\n"
    "  F10                    quit\n"
    "The player's edition (--menu) adds, in a level:\n"
    "  Ctrl+Z                 take back the last placement or fuse change (edit mode)\n"
    "  drag onto a slot       put a bomb back in the inventory\n"
    "  P                      pause (run mode)\n"
    "  F (held)               fast-forward (run mode)\n"
    "  F10                    back to the title; F10 on the title quits\n";

namespace {

bool TakeValue(const std::vector<std::string>& args, size_t& i, std::string& value, std::string& error) {
    if (i + 1 >= args.size()) {
        error = args[i] + " needs a value";
        return false;
    }
    value = args[++i];
    return true;
}

template <typename T>
bool SetOnce(std::optional<T>& field, T value, const std::string& name, std::string& error) {
    if (field) {
        error = name + " given twice";
        return false;
    }
    field = value;
    return true;
}

}  // namespace

bool ParseCommandLine(const std::vector<std::string>& args, GameOptions& o, std::string& error) {
    o = GameOptions{};
    bool havePack = false;
    bool optionsEnd = false;  // after "--" every word is a word, even one starting with '-'
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string value;
        if (optionsEnd || a.empty() || a[0] != '-' || a == "-") {
            if (havePack) {
                o.ignored.push_back(a);
            } else {
                o.pack = a;
                havePack = true;
            }
        } else if (a == "--") {
            optionsEnd = true;
        } else if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--menu") {
            if (o.menu) {
                error = "--menu given twice";
                return false;
            }
            o.menu = true;
        } else if (a == "--fullscreen" || a == "--mute") {
            if (!SetOnce(a == "--mute" ? o.mute : o.fullscreen, true, a, error)) return false;
        } else if (a == "--level") {
            int n = 0;
            if (!TakeValue(args, i, value, error)) return false;
            if (!ParseWholeNumber(value, 1, 1 << 30, n)) {
                error = "--level needs a level number from 1, not '" + value + "'";
                return false;
            }
            if (!SetOnce(o.level, n, a, error)) return false;
        } else if (a == "--scale") {
            int n = 0;
            if (!TakeValue(args, i, value, error)) return false;
            if (!ParseScale(value, n)) {
                error = "--scale needs 1, 2, 3, 4 or auto, not '" + value + "'";
                return false;
            }
            if (!SetOnce(o.scale, n, a, error)) return false;
        } else if (a == "--design") {
            if (!TakeValue(args, i, value, error)) return false;
            if (!o.design.empty()) {
                error = "--design given twice";
                return false;
            }
            if (value.empty()) {
                error = "--design needs a file name";
                return false;
            }
            o.design = value;
        } else {
            error = "unknown option '" + a + "'";
            return false;
        }
    }
    if (!o.design.empty() && (havePack || o.level)) {
        error = "--design takes no PACK and no --level";
        return false;
    }
    if (!o.design.empty() && o.menu) {
        error = "--design takes no --menu: the designer is on the title's menu";
        return false;
    }
    return true;
}

std::string IgnoredNote(const GameOptions& o) {
    std::string note;
    for (const std::string& word : o.ignored) note += (note.empty() ? "ignored: " : " ") + word;
    return note;
}

bool CheckLevelOption(const GameOptions& o, int levelCount, std::string& error) {
    if (!o.level || *o.level <= levelCount) return true;
    error = "--level " + std::to_string(*o.level) + ": there are " + std::to_string(levelCount) + " levels";
    return false;
}
