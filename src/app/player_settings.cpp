#include "app/player_settings.h"

#include "platform/allegro/allegro_start.h"

PlayerSettings::PlayerSettings(const GameOptions& options) {
    std::string message;
    file.Load([this](std::string_view text, std::string& error) { return ParseSettings(text, kept, error); }, message);
    if (!message.empty()) Say(message);
    if (file.Path().empty()) Say("settings are not kept: " + NoKeptFolderReason("XDG_CONFIG_HOME"));
    now = kept;
    if (options.scale) now.scale = *options.scale;
    if (options.fullscreen) now.fullscreen = *options.fullscreen;
    if (options.mute) now.mute = *options.mute;
}

void PlayerSettings::Choose(const Settings& chosen) {
    if (chosen == now) return;
    auto take = [](auto& nowField, auto& keptField, const auto& chosenField) {
        if (nowField != chosenField) nowField = keptField = chosenField;
    };
    take(now.scale, kept.scale, chosen.scale);
    take(now.fullscreen, kept.fullscreen, chosen.fullscreen);
    take(now.mute, kept.mute, chosen.mute);
    take(now.volume, kept.volume, chosen.volume);
    take(now.assists, kept.assists, chosen.assists);
    Keep();
}

void PlayerSettings::ChooseMute(bool mute) {
    Settings s = now;
    s.mute = mute;
    Choose(s);
}

void PlayerSettings::ChooseFullscreen(bool fullscreen) {
    Settings s = now;
    s.fullscreen = fullscreen;
    Choose(s);
}

void PlayerSettings::Keep() {
    std::string message;
    if (!file.Save(FormatSettings(kept), message) && !message.empty()) Say(message + "; settings are not kept");
}
