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

void PlayerSettings::ChooseMute(bool mute) {
    now.mute = kept.mute = mute;
    Keep();
}

void PlayerSettings::ChooseFullscreen(bool fullscreen) {
    now.fullscreen = kept.fullscreen = fullscreen;
    Keep();
}

void PlayerSettings::Keep() {
    std::string message;
    if (!file.Save(FormatSettings(kept), message) && !message.empty()) Say(message + "; settings are not kept");
}
