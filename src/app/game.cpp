#include "app/game.h"

#include <allegro.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/version.h"
#include "choose/game_hooks.h"
#include "levels/level_table.h"
#include "packs/pack_reader.h"
#include "play/allegro_presentation.h"
#include "progress/kept_file.h"
#include "progress/settings.h"
#include "shell/asset_files.h"
#include "shell/assets.h"
#include "shell/frame_loop.h"
#include "shell/game_flow.h"
#include "shell/game_window.h"
#include "shell/live_io.h"
#include "shell/program_dir.h"

namespace {

const char* const kWindowTitle = "Zandrove - By Tobrandel";

void Say(const std::string& line) { std::fprintf(stderr, "zandrove: %s\n", line.c_str()); }

// Allegro leaves its error empty when no X display can be reached.
std::string AllegroStartError() {
    if (allegro_error[0] != '\0') return allegro_error;
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || display[0] == '\0') return "no display could be opened: DISPLAY is not set";
    return std::string("no display could be opened: DISPLAY is \"") + display + "\"";
}

int Fail(const std::string& message) {
    Say(message);
    FreeLevelPack();
    ReleaseQuitSignals();
    allegro_exit();
    return 1;
}

int UsageError(const std::string& message) {
    std::fprintf(stderr, "zandrove: %s\n%s", message.c_str(), kGameUsage);
    return 2;
}

// The pack's level names, when its headers carry them.
std::vector<std::string> LevelNames(const std::string& pack) {
    std::vector<std::string> names;
    PackFile file;
    std::string error;
    if (pack.empty() || PackLevels.empty() || !ReadPackFile(pack, file, error) || !file.namedHeaders) return names;
    for (const auto& level : file.levels) names.push_back(level.name);
    return names;
}

// The settings kept, with what the command line says on top.
struct PlayerSettings {
    KeptFile file{KeptFilePath("XDG_CONFIG_HOME", ".config", "settings.txt")};
    Settings kept;
    Settings now;

    explicit PlayerSettings(const GameOptions& options) {
        std::string message;
        file.Load([this](std::string_view text, std::string& error) { return ParseSettings(text, kept, error); },
                  message);
        if (!message.empty()) Say(message);
        now = kept;
        if (options.scale) now.scale = *options.scale;
        if (options.fullscreen) now.fullscreen = *options.fullscreen;
        if (options.mute) now.mute = *options.mute;
    }
    void Keep() {
        kept = now;
        std::string message;
        if (!file.Save(FormatSettings(kept), message) && !message.empty()) Say(message + "; settings are not kept");
    }
};

void ApplyMute(bool mute) { set_volume(mute ? 0 : 256, 0); }

}  // namespace

int RunGame(int argc, char** argv) {
    GameOptions options;
    std::string error;
    if (!ParseCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), options, error))
        return UsageError(error);
    if (options.help) {
        std::printf("%s\nKeys:\n%s", kGameUsage, kGameKeys);
        return 0;
    }
    if (options.version) {
        std::printf("zandrove %s\n", kGameVersion);
        return 0;
    }

    const std::string programDir = ProgramDirectory(argc > 0 ? argv[0] : nullptr);
    const std::string assetDir = AssetDirectory(programDir);
    // Installed, a relative pack name means the player's current directory, as
    // for any command; in a build tree, with the assets beside the game, it has
    // always meant the game's own directory (build/bin/).
    const bool installed = assetDir != programDir;
    const bool havePack = !options.pack.empty();
    std::vector<std::string> names;
    if (havePack && installed) LoadLevelPack(options.pack.c_str()), names = LevelNames(options.pack);
    ChangeToDirectory(assetDir);
    if (havePack && !installed) LoadLevelPack(options.pack.c_str()), names = LevelNames(options.pack);
    if (!CheckLevelOption(options, LevelCount, error)) {
        FreeLevelPack();
        return UsageError(error);
    }
    PlayerSettings settings(options);
    std::srand(static_cast<unsigned>(std::time(nullptr)));

    if (allegro_init() != 0) return Fail("cannot start Allegro: " + AllegroStartError());
    CatchQuitSignals();
    install_keyboard();
    install_mouse();
    if (install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) != 0)
        Say(std::string("no sound (") + allegro_error + "); playing silently");
    ApplyMute(settings.now.mute);
    set_window_title(kWindowTitle);
    set_color_depth(16);
    int scale = settings.now.scale;
    int desktopW = 0, desktopH = 0;
    if (scale == kAutoScale) scale = get_desktop_resolution(&desktopW, &desktopH) == 0 ? AutoScale(desktopW, desktopH) : 1;
    GameWindow window;
    std::string note;
    if (!window.Open(scale, settings.now.fullscreen, error, note)) return Fail(error);
    if (!note.empty()) Say(note);
    // What the player asked for on the command line is remembered for the next game.
    settings.now.fullscreen = window.Fullscreen();
    if (!(settings.now == settings.kept)) settings.Keep();

    {
        ShellBitmaps bitmaps;
        if (!LoadAssets(bitmaps, error)) {
            window.Release();
            return Fail(error);
        }
        {
            ScopedAllegroPresentation presentation;
            LiveIo io;
            io.ShowIn(&window);
            GameHooks hooks(io, KeptFilePath("XDG_DATA_HOME", ".local/share", "progress.txt"), names, Say);
            hooks.toggleMute = [&] {
                settings.now.mute = !settings.now.mute;
                ApplyMute(settings.now.mute);
                settings.Keep();
            };
            hooks.toggleFullscreen = [&] {
                std::string why;
                if (!window.ToggleFullscreen(why)) {
                    Say("cannot switch " + std::string(window.Fullscreen() ? "to a window: " : "to full screen: ") + why);
                    return;
                }
                settings.now.fullscreen = window.Fullscreen();
                settings.Keep();
            };
            ShellState state;
            PlayLevels(state, bitmaps, hooks, options.level ? *options.level - 1 : 0, &hooks);
        }
        ReleaseAssets(bitmaps);
    }
    window.Release();
    FreeLevelPack();
    ReleaseQuitSignals();
    allegro_exit();
    return 0;
}
