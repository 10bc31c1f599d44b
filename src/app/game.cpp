#include "app/game.h"

#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "app/allegro_start.h"
#include "app/command_line.h"
#include "app/player_settings.h"
#include "app/run_designer.h"
#include "app/version.h"
#include "choose/game_hooks.h"
#include "files/file_error.h"
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

int Fail(const std::string& message) {
    Say(message);
    FreeLevelPack();
    StopAllegro();
    return 1;
}

int UsageError(const std::string& message) {
    std::fprintf(stderr, "zandrove: %s\n%s", message.c_str(), kGameUsage);
    return 2;
}

// The pack's level names, when its headers carry them; then the pack's levels
// as the game's level table. (Reading the names goes through the game's own
// reader, which leaves the built-in levels in the table, so the levels are
// loaded last.)
std::vector<std::string> LoadPackAndNames(const std::string& pack) {
    std::vector<std::string> names;
    PackFile file;
    std::string error;
    if (ReadPackFile(pack, file, error) && file.namedHeaders)
        for (const auto& level : file.levels) names.push_back(level.name);
    if (!LoadLevelPack(pack.c_str())) names.clear();
    return names;
}

}  // namespace

int RunGame(int argc, char** argv) {
    GameOptions options;
    std::string error;
    if (!ParseCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), options, error))
        return UsageError(error);
    if (options.help || options.version) {
        if (options.help)
            std::printf("%s\nKeys:\n%s", kGameUsage, kGameKeys);
        else
            std::printf("zandrove %s\n", kGameVersion);
        // What was asked for is this output: lost (a full disk, /dev/full), it is a failure.
        if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
            Say("cannot write the standard output: " + SystemReason(errno));
            return 1;
        }
        return 0;
    }

    const std::string programDir = ProgramDirectory(argc > 0 ? argv[0] : nullptr);
    if (!options.design.empty()) {
        PlayerSettings settings(options);
        return RunDesigner(options.design, programDir, settings);
    }
    const std::string assetDir = AssetDirectory(programDir);
    // Installed, a relative pack name means the player's current directory, as
    // for any command; in a build tree, with the assets beside the game, it has
    // always meant the game's own directory (build/bin/).
    const bool installed = assetDir != programDir;
    const bool havePack = !options.pack.empty();
    std::vector<std::string> names;
    if (havePack && installed) names = LoadPackAndNames(options.pack);
    ChangeToDirectory(assetDir);
    if (havePack && !installed) names = LoadPackAndNames(options.pack);
    if (!CheckLevelOption(options, LevelCount, error)) {
        FreeLevelPack();
        return UsageError(error);
    }
    PlayerSettings settings(options);
    const std::string progressPath = KeptFilePath("XDG_DATA_HOME", ".local/share", "progress.txt");
    if (progressPath.empty()) Say("progress is not kept: " + NoKeptFolderReason("XDG_DATA_HOME"));
    std::srand(static_cast<unsigned>(std::time(nullptr)));

    if (!StartAllegro(error)) return Fail(error);
    SetMuted(settings.now.mute);
    GameWindow window;
    if (!OpenWindow(window, settings.now.scale, settings.now.fullscreen, error)) return Fail(error);
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
            GameHooks hooks(io, progressPath, names, Say);
            hooks.toggleMute = [&] {
                settings.now.mute = !settings.now.mute;
                SetMuted(settings.now.mute);
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
            hooks.FinishKeeping();
        }
        ReleaseAssets(bitmaps);
    }
    window.Release();
    FreeLevelPack();
    StopAllegro();
    return 0;
}
