#include "app/run_designer.h"

#include <filesystem>

#include "platform/allegro/allegro_start.h"
#include "platform/allegro/lost_display.h"
#include "app/player_settings.h"
#include "design/designer.h"
#include "game/assets.h"
#include "platform/allegro/game_window.h"
#include "platform/allegro/live_io.h"
#include "game/program_dir.h"
#include "packs/share_link.h"

namespace {

constexpr int kRefused = 2;

int Fail(GameWindow& window, const std::string& message) {
    Say(message);
    window.Release();
    StopAllegro();
    return 1;
}

void Design(design::Designer& designer, const design::DesignPictures& pictures, GameWindow& window) {
    LiveIo io;
    io.ShowIn(&window);
    if (io.QuitHeld()) return;
    while (design::DesignFrame(designer, pictures, io)) {
    }
    if (DisplayLost()) EndAfterLostDisplay();
    // A test-play cut short by the quit must not leave its hiss behind.
    StopHiss(designer.shell, *pictures.game, io);
}

}  // namespace

int RunDesigner(const std::string& file, const std::string& programDir, const PlayerSettings& settings) {
    // The game changes to its asset directory; the file stays where it was named.
    std::error_code ec;
    design::OpenedDesign opened;
    std::string path, error;
    if (IsShareLink(file)) {
        // A link is opened as a new file in the current folder, unsaved: the
        // first save (or the recovery file) puts it on disk.
        const std::filesystem::path here = std::filesystem::current_path(ec);
        LevelList levels;
        if (!LevelsFromShareLink(file, levels, error)) {
            Say("link refused: " + error);
            return kRefused;
        }
        if (!design::OpenLinkedDesign(ec ? "." : here.string(), std::move(levels), path, opened, error)) {
            Say(error);
            return kRefused;
        }
    } else {
        const std::filesystem::path absolute = std::filesystem::absolute(file, ec);
        path = ec ? file : absolute.string();
        if (!design::OpenDesign(path, opened, error)) {
            Say(error);
            return kRefused;
        }
    }
    ChangeToDirectory(AssetDirectory(programDir));
    std::string lost;
    GameWindow window;
    if (!StartAllegro(error)) return Fail(window, error);
    SetMuted(settings.now.mute);
    if (!OpenWindow(window, settings.now.scale, settings.now.fullscreen, error)) return Fail(window, error);
    {
        Assets bitmaps;
        BitmapHolder bar;
        if (!LoadAssets(bitmaps, error)) return Fail(window, error);
        if (!LoadDesignBar(bar, error)) {
            ReleaseAssets(bitmaps);
            return Fail(window, error);
        }
        design::Designer designer(path, std::move(opened));
        WatchForLostDisplay([&designer] {
            design::SaveRecovery(designer);
            const std::string lost = design::LostWork(designer);
            if (!lost.empty()) return lost;
            return designer.doc.Dirty() ? "unsaved work kept in " + designer.files.recovery : std::string();
        });
        Design(designer, {&bitmaps, bar.get()}, window);
        StopWatchingDisplay();
        bar.Reset();
        ReleaseAssets(bitmaps);
        lost = design::LostWork(designer);
    }
    window.Release();
    StopAllegro();
    // Work that could not be kept is said last, where it is seen, and is a failure.
    if (!lost.empty()) {
        Say(lost);
        return 1;
    }
    return 0;
}
