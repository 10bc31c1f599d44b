#include "app/game.h"

#include <allegro.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "app/game_window.h"
#include "app/run_designer.h"
#include "levels/level_table.h"
#include "play/allegro_presentation.h"
#include "shell/asset_files.h"
#include "shell/assets.h"
#include "shell/frame_loop.h"
#include "shell/game_flow.h"
#include "shell/live_io.h"
#include "shell/program_dir.h"

namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "zandrove: %s\n", message.c_str());
    FreeLevelPack();
    CloseGameWindow();
    return 1;
}

}  // namespace

int RunGame(int argc, char** argv) {
    const std::string programDir = ProgramDirectory(argc > 0 ? argv[0] : nullptr);
    if (argc == 3 && std::string(argv[1]) == "--design") return RunDesigner(argv[2], programDir);
    const std::string assetDir = AssetDirectory(programDir);
    // Installed, a relative pack name means the player's current directory, as
    // for any command; in a build tree, with the assets beside the game, it has
    // always meant the game's own directory (build/bin/).
    const bool installed = assetDir != programDir;
    if (argc >= 2 && installed) LoadLevelPack(argv[1]);
    ChangeToDirectory(assetDir);
    if (argc >= 2 && !installed) LoadLevelPack(argv[1]);
    std::srand(static_cast<unsigned>(std::time(nullptr)));

    std::string error;
    if (!OpenGameWindow(error)) return Fail(error);

    {
        ShellBitmaps bitmaps;
        if (!LoadAssets(bitmaps, error)) return Fail(error);
        {
            ScopedAllegroPresentation presentation;
            LiveIo io;
            ShellState state;
            PlayLevels(state, bitmaps, io);
        }
        ReleaseAssets(bitmaps);
    }
    FreeLevelPack();
    CloseGameWindow();
    return 0;
}
