#include "edition/settings_screen.h"

#include <algorithm>
#include <string>

#include "edition/edition_draw.h"
#include "edition/title_screen.h"
#include "game/drawing.h"
#include "game/keys.h"
#include "sim/play_field.h"

namespace edition {

namespace {

constexpr int kLeft = 130, kTop = 166, kWidth = 380;
constexpr int kVolumeStep = 10;

enum Line { kScale, kFullscreen, kVolume, kMute, kFixedFuses, kRunClock, kFastForward, kPause, kUndo, kBack, kLines };

const char* const kLabels[kLines] = {
    "Window scale", "Full screen", "Sound volume", "Sound muted", "Fuses of fixed bombs",
    "Run clock",    "Fast-forward (hold F)", "Pause (P)", "Undo (Ctrl+Z)", "Back",
};

const char* OnOff(bool on) { return on ? "on" : "off"; }

// The scales in the order Left and Right go through them.
constexpr int kScales[] = {1, 2, 3, 4, kAutoScale};

std::string ScaleText(int scale) { return scale == kAutoScale ? "fit" : std::to_string(scale) + "x"; }

bool* Switch(Settings& s, int line) {
    switch (line) {
        case kFullscreen: return &s.fullscreen;
        case kMute: return &s.mute;
        case kFixedFuses: return &s.assists.fixedFuses;
        case kRunClock: return &s.assists.runClock;
        case kFastForward: return &s.assists.fastForward;
        case kPause: return &s.assists.pause;
        case kUndo: return &s.assists.undo;
        default: return nullptr;
    }
}

}  // namespace

Settings Changed(const Settings& now, int line, int step) {
    Settings s = now;
    if (line == kScale) {
        int at = 0;
        for (int i = 0; i < 5; ++i)
            if (kScales[i] == s.scale) at = i;
        s.scale = kScales[(at + step + 5) % 5];
    } else if (line == kVolume) {
        s.volume = std::clamp(s.volume + step * kVolumeStep, 0, kFullVolume);
    } else if (bool* on = Switch(s, line)) {
        *on = !*on;
    }
    return s;
}

SettingsScreen::SettingsScreen() : menu_(kLeft, kTop, kWidth) {}

void SettingsScreen::Fill(const Settings& now) {
    menu_.lines.resize(kLines);
    for (int i = 0; i < kLines; ++i) menu_.lines[static_cast<size_t>(i)].label = kLabels[i];
    Settings copy = now;
    menu_.lines[kScale].value = ScaleText(now.scale);
    menu_.lines[kVolume].value = std::to_string(now.volume);
    for (int i = 0; i < kLines; ++i)
        if (bool* on = Switch(copy, i)) menu_.lines[static_cast<size_t>(i)].value = OnOff(*on);
    menu_.lines[kMute].value = now.mute ? "yes" : "no";
}

bool SettingsScreen::Input(const ScreenInput& input, const Settings& now, Settings& chosen, bool& changed) {
    Fill(now);
    changed = false;
    if (input.Pressed(kKeyF10)) return false;
    const Menu::Action action = menu_.Input(input);
    const int line = menu_.Selected();
    switch (action) {
        case Menu::Action::Back:
            return false;
        case Menu::Action::Choose:
            return line != kBack;
        case Menu::Action::Less:
        case Menu::Action::More:
            chosen = Changed(now, line, action == Menu::Action::More ? 1 : -1);
            changed = !(chosen == now);
            return true;
        case Menu::Action::None:
            return true;
    }
    return true;
}

void SettingsScreen::Draw(Picture* target, const Assets& assets, const Settings& now) {
    Fill(now);
    DrawTitleBackdrop(target, assets, Backdrop::Name);
    Panel(target, kLeft - 16, kTop - 36, kLeft + kWidth + 15, menu_.Bottom() + 12);
    TextCentred(target, "Settings", kScreenWidth / 2, kTop - 24, Amber());
    menu_.Draw(target);
    TextCentred(target, "Up/Down: choose   Left/Right, Enter or a click: change   Esc: back", kScreenWidth / 2, 452,
                Grey());
}

}  // namespace edition
