#include "app/game_window.h"

#include <allegro.h>

#include <cstdio>
#include <cstdlib>

#include "objects/play_field.h"
#include "shell/live_io.h"

namespace {

const char* const kWindowTitle = "Zandrove - By Tobrandel";

// Allegro leaves its error empty when no X display can be reached.
std::string AllegroStartError() {
    if (allegro_error[0] != '\0') return allegro_error;
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || display[0] == '\0') return "no display could be opened: DISPLAY is not set";
    return std::string("no display could be opened: DISPLAY is \"") + display + "\"";
}

}  // namespace

bool OpenGameWindow(std::string& error) {
    if (allegro_init() != 0) {
        error = "cannot start Allegro: " + AllegroStartError();
        return false;
    }
    CatchQuitSignals();
    install_keyboard();
    install_mouse();
    if (install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) != 0)
        std::fprintf(stderr, "zandrove: no sound (%s); playing silently\n", allegro_error);
    set_volume(256, 0);
    set_window_title(kWindowTitle);
    set_color_depth(16);
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, kScreenWidth, kScreenHeight, 0, 0) != 0) {
        error = std::string("cannot open the 640 x 480 window: ") + allegro_error;
        return false;
    }
    return true;
}

void CloseGameWindow() {
    ReleaseQuitSignals();
    allegro_exit();
}
