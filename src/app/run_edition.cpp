#include "app/run_edition.h"

#include <ctime>

#include "app/command_line.h"
#include "app/player_settings.h"
#include "edition/edition.h"
#include "game/assets.h"
#include "platform/allegro/allegro_start.h"
#include "platform/allegro/game_window.h"
#include "platform/allegro/live_io.h"

namespace {

int Fail(GameWindow& window, const std::string& message) {
    Say(message);
    window.Release();
    StopAllegro();
    return 1;
}

// What the player chose, made so: the window, the sound; then kept. What
// cannot be had (a full screen refused) stays as it is and is said.
void Make(const Settings& chosen, PlayerSettings& settings, GameWindow& window, LiveIo& io) {
    Settings made = chosen;
    std::string why;
    if (made.fullscreen != settings.now.fullscreen) {
        if (!window.ToggleFullscreen(why))
            Say("cannot switch " + std::string(window.Fullscreen() ? "to a window: " : "to full screen: ") + why);
        made.fullscreen = window.Fullscreen();
    }
    if (made.scale != settings.now.scale && !RescaleWindow(window, made.scale, why)) {
        Say("cannot change the window's scale: " + why);
        made.scale = settings.now.scale;
    }
    if (made.mute != settings.now.mute) SetMuted(made.mute);
    io.SetVolume(made.volume);
    settings.Choose(made);
}

}  // namespace

int RunEdition(const GameOptions& options, const edition::LevelSets& sets, PlayerSettings& settings) {
    std::string error;
    GameWindow window;
    if (!StartAllegro(error)) return Fail(window, error);
    SetMuted(settings.now.mute);
    if (!OpenWindow(window, settings.now.scale, settings.now.fullscreen, error)) return Fail(window, error);
    settings.now.fullscreen = window.Fullscreen();
    {
        Assets assets;
        if (!LoadAssets(assets, error)) return Fail(window, error);
        {
            LiveIo io;
            io.ShowIn(&window);
            io.SetVolume(settings.now.volume);
            edition::EditionSetup setup;
            setup.progressPath = KeptFilePath("XDG_DATA_HOME", ".local/share", "progress.txt");
            setup.designPath = KeptFilePath("XDG_DATA_HOME", ".local/share", "levels/levels.txt");
            setup.continueLevel = options.level ? *options.level - 1 : -1;
            edition::Edition game(
                io, sets, assets, settings.now,
                [&](const Settings& chosen) { Make(chosen, settings, window, io); }, setup, Say);
            game.Play().State().world.Rand.Seed(static_cast<uint32_t>(std::time(nullptr)));
            if (!io.QuitHeld()) {
                while (game.Frame()) {
                }
            }
            game.FinishKeeping();
        }
        ReleaseAssets(assets);
    }
    window.Release();
    StopAllegro();
    return 0;
}
