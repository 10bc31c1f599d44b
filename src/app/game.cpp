#include "app/game.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "platform/allegro/allegro_start.h"
#include "app/command_line.h"
#include "app/player_settings.h"
#include "app/run_designer.h"
#include "app/run_edition.h"
#include "app/version.h"
#include "features/game_hooks.h"
#include "packs/pack_reader.h"
#include "progress/kept_file.h"
#include "progress/settings.h"
#include "game/asset_files.h"
#include "game/assets.h"
#include "game/frame_loop.h"
#include "game/game_flow.h"
#include "platform/allegro/game_window.h"
#include "platform/allegro/live_io.h"
#include "game/program_dir.h"

namespace {

int Fail(const std::string& message) {
    Say(message);
    StopAllegro();
    return 1;
}

int UsageError(const std::string& message) {
    std::fprintf(stderr, "zandrove: %s\n%s", message.c_str(), kGameUsage);
    return 2;
}

// The levels to play: the pack's, when it can be read, else the built-in
// ten, with one line saying why.
LevelList LoadLevels(const std::string& pack) {
    PackFile file;
    std::string error;
    if (ReadPackFile(pack, file, error)) return std::move(file.levels);
    Say("cannot open the level pack '" + pack + "': " + error + "; playing the built-in levels");
    return BuiltinLevelList();
}

}  // namespace

int RunGame(int argc, char** argv) {
    GameOptions options;
    std::string error;
    if (!ParseCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), options, error))
        return UsageError(error);
    if (!options.ignored.empty()) Say(IgnoredNote(options));
    if (options.help) {
        std::printf("%s%s\nKeys:\n%s", kGameUsage, kGameNotes, kGameKeys);
        return 0;
    }
    if (options.version) {
        std::printf("zandrove %s\n", kGameVersion);
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
    LevelList levels;
    if (havePack && installed) levels = LoadLevels(options.pack);
    ChangeToDirectory(assetDir);
    if (havePack && !installed) levels = LoadLevels(options.pack);
    if (!havePack) levels = BuiltinLevelList();
    if (!CheckLevelOption(options, static_cast<int>(levels.size()), error)) return UsageError(error);
    PlayerSettings settings(options);
    if (options.menu) {
        if (levels.empty()) {
            Say("the level pack '" + options.pack + "' holds no complete level; playing the built-in levels");
            levels = BuiltinLevelList();
        }
        return RunEdition(options, levels, settings);
    }
    GameState state;
    state.world.Rand.Seed(static_cast<uint32_t>(std::time(nullptr)));

    if (!StartAllegro(error)) return Fail(error);
    SetMuted(settings.now.mute);
    GameWindow window;
    if (!OpenWindow(window, settings.now.scale, settings.now.fullscreen, error)) return Fail(error);
    // Full screen that could not be had plays in a window: F11 goes on from what is shown.
    settings.now.fullscreen = window.Fullscreen();

    {
        Assets assets;
        if (!LoadAssets(assets, error)) {
            window.Release();
            return Fail(error);
        }
        {
            LiveIo io;
            io.ShowIn(&window);
            io.SetVolume(settings.now.volume);
            GameHooks hooks(io, levels, assets, KeptFilePath("XDG_DATA_HOME", ".local/share", "progress.txt"), Say);
            hooks.toggleMute = [&] {
                settings.ChooseMute(!settings.now.mute);
                SetMuted(settings.now.mute);
            };
            hooks.toggleFullscreen = [&] {
                std::string why;
                if (!window.ToggleFullscreen(why)) {
                    Say("cannot switch " + std::string(window.Fullscreen() ? "to a window: " : "to full screen: ") + why);
                    return;
                }
                settings.ChooseFullscreen(window.Fullscreen());
            };
            PlayLevels(state, levels, assets, hooks, options.level ? *options.level - 1 : 0, &hooks);
        }
        ReleaseAssets(assets);
    }
    window.Release();
    StopAllegro();
    return 0;
}
