#include "app/game.h"

#include <allegro.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "levels/level_table.h"
#include "play/allegro_presentation.h"
#include "shell/asset_files.h"
#include "shell/assets.h"
#include "shell/frame_loop.h"
#include "shell/game_flow.h"
#include "shell/live_io.h"
#include "shell/program_dir.h"

namespace {

const char* const kWindowTitle = "Zandrove - By Tobrandel";

// Allegro leaves its error empty when no X display can be reached.
std::string AllegroStartError() {
    if (allegro_error[0] != '\0') return allegro_error;
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || display[0] == '\0') return "no display could be opened: DISPLAY is not set";
    return std::string("no display could be opened: DISPLAY is \"") + display + "\"";
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "zandrove: %s\n", message.c_str());
    FreeLevelPack();
    ReleaseQuitSignals();
    allegro_exit();
    return 1;
}

}  // namespace

int RunGame(int argc, char** argv) {
    const std::string programDir = ProgramDirectory(argc > 0 ? argv[0] : nullptr);
    const std::string assetDir = AssetDirectory(programDir);
    // Installed, a relative pack name means the player's current directory, as
    // for any command; in a build tree, with the assets beside the game, it has
    // always meant the game's own directory (build/bin/).
    const bool installed = assetDir != programDir;
    if (argc >= 2 && installed) LoadLevelPack(argv[1]);
    ChangeToDirectory(assetDir);
    if (argc >= 2 && !installed) LoadLevelPack(argv[1]);
    std::srand(static_cast<unsigned>(std::time(nullptr)));

    if (allegro_init() != 0) return Fail("cannot start Allegro: " + AllegroStartError());
    CatchQuitSignals();
    install_keyboard();
    install_mouse();
    if (install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) != 0)
        std::fprintf(stderr, "zandrove: no sound (%s); playing silently\n", allegro_error);
    set_volume(256, 0);
    set_window_title(kWindowTitle);
    set_color_depth(16);
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, kScreenWidth, kScreenHeight, 0, 0) != 0)
        return Fail(std::string("cannot open the 640 x 480 window: ") + allegro_error);

    {
        ShellBitmaps bitmaps;
        std::string error;
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
    ReleaseQuitSignals();
    allegro_exit();
    return 0;
}
