#include "app/run_designer.h"

#include <cstdio>
#include <filesystem>

#include "app/game_window.h"
#include "design/designer.h"
#include "levels/world.h"
#include "play/allegro_presentation.h"
#include "shell/assets.h"
#include "shell/live_io.h"
#include "shell/program_dir.h"

namespace {

constexpr int kRefused = 2;

int Fail(const std::string& message) {
    std::fprintf(stderr, "zandrove: %s\n", message.c_str());
    CloseGameWindow();
    return 1;
}

void Design(design::Designer& designer, const design::DesignPictures& pictures) {
    ScopedAllegroPresentation presentation;
    LiveIo io;
    if (io.QuitHeld()) return;
    while (design::DesignFrame(designer, pictures, io)) {
    }
    // As at the end of a level of the game: nothing of the world outlives it.
    DestroyWorldObjects();
    StopHiss();
}

}  // namespace

int RunDesigner(const std::string& file, const std::string& programDir) {
    // The game changes to its asset directory; the file stays where it was named.
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(file, ec);
    const std::string path = ec ? file : absolute.string();
    design::OpenedDesign opened;
    std::string error;
    if (!design::OpenDesign(path, opened, error)) {
        std::fprintf(stderr, "zandrove: %s\n", error.c_str());
        return kRefused;
    }
    ChangeToDirectory(AssetDirectory(programDir));
    if (!OpenGameWindow(error)) return Fail(error);
    {
        ShellBitmaps bitmaps;
        BitmapHolder bar;
        if (!LoadAssets(bitmaps, error)) return Fail(error);
        if (!LoadDesignBar(bar, error)) {
            ReleaseAssets(bitmaps);
            return Fail(error);
        }
        design::Designer designer(path, std::move(opened));
        Design(designer, {&bitmaps, bar.get()});
        bar.Reset();
        ReleaseAssets(bitmaps);
    }
    CloseGameWindow();
    return 0;
}
