#include "app/game.h"

#include <cerrno>
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
#include "files/file_error.h"
#include "packs/pack_reader.h"
#include "packs/playable.h"
#include "packs/share_link.h"
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

// The levels to play: the pack's or the link's, else the built-in ten with
// one line saying why the pack was refused (a file the game cannot open, a
// pack with no complete level, a damaged link).
LevelList LoadLevels(const std::string& pack) {
    std::string why;
    if (IsShareLink(pack)) {
        LevelList levels;
        if (LevelsFromShareLink(pack, levels, why)) return levels;
        Say("link refused: " + why + "; the built-in levels are played");
        return BuiltinLevelList();
    }
    PackFile file;
    if (ReadPackFile(pack, file, why) && PlayablePack(file, PackRule::Complete, why)) return std::move(file.levels);
    Say("'" + pack + "' refused: " + why + "; the built-in levels are played");
    return BuiltinLevelList();
}

}  // namespace

int RunGame(int argc, char** argv) {
    GameOptions options;
    std::string error;
    if (!ParseCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), options, error))
        return UsageError(error);
    if (!options.ignored.empty()) Say(IgnoredNote(options));
    if (options.help || options.version) {
        if (options.help)
            std::printf("%s%s\nKeys:\n%s", kGameUsage, kGameNotes, kGameKeys);
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
        // Without a pack the edition offers every set the game ships; a
        // pack given is the one set played.
        if (!havePack) return RunEdition(options, edition::ShippedSets(Say), settings);
        return RunEdition(options, {{"", std::move(levels)}}, settings);
    }
    const std::string progressPath = KeptFilePath("XDG_DATA_HOME", ".local/share", "progress.txt");
    if (progressPath.empty()) Say("progress is not kept: " + NoKeptFolderReason("XDG_DATA_HOME"));
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
            GameHooks hooks(io, levels, assets, progressPath, Say);
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
            hooks.FinishKeeping();
        }
        ReleaseAssets(assets);
    }
    window.Release();
    StopAllegro();
    return 0;
}
