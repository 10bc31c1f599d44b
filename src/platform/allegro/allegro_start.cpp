#include "platform/allegro/allegro_start.h"

#include <allegro.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "progress/settings.h"
#include "platform/allegro/game_window.h"
#include "platform/allegro/live_io.h"
#include "game/window_title.h"

namespace {

// Allegro leaves its error empty when no X display can be reached.
std::string AllegroStartError() {
    if (allegro_error[0] != '\0') return allegro_error;
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || display[0] == '\0') return "no display could be opened: DISPLAY is not set";
    return std::string("no display could be opened: DISPLAY is \"") + display + "\"";
}

// The sound drivers' own libraries write their complaints straight to
// stderr (ALSA's "Unknown PCM default" lines on a machine without a sound
// card): they are kept out of the terminal while the drivers are tried, and
// the one line the caller says is all a player sees.
bool InstallSoundQuietly() {
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const int quiet = open("/dev/null", O_WRONLY | O_CLOEXEC);
    const bool hidden = saved >= 0 && quiet >= 0 && dup2(quiet, STDERR_FILENO) >= 0;
    if (quiet >= 0) close(quiet);
    // Found nothing, Allegro falls back to its silent driver and says it succeeded.
    const bool installed = install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) == 0 && digi_card != DIGI_NONE;
    if (hidden) {
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
    }
    if (saved >= 0) close(saved);
    return installed;
}

}  // namespace

void Say(const std::string& line) { std::fprintf(stderr, "zandrove: %s\n", line.c_str()); }

bool StartAllegro(std::string& error) {
    if (allegro_init() != 0) {
        error = "cannot start Allegro: " + AllegroStartError();
        return false;
    }
    CatchQuitSignals();
    install_keyboard();
    install_mouse();
    if (!InstallSoundQuietly())
        Say(std::string("sound is off: ") + (allegro_error[0] != '\0' ? allegro_error : "no sound device was found") +
            "; playing silently");
    set_volume(256, 0);
    set_window_title(kWindowTitle);
    set_color_depth(16);
    return true;
}

bool StartHeadlessAllegro(std::string& error) {
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        error = std::string("cannot start Allegro: ") + allegro_error;
        return false;
    }
    set_color_depth(16);
    return true;
}

void StopAllegro() {
    ReleaseQuitSignals();
    allegro_exit();
}

namespace {

int WholeScale(int scale) {
    int desktopW = 0, desktopH = 0;
    if (scale != kAutoScale) return scale;
    return get_desktop_resolution(&desktopW, &desktopH) == 0 ? AutoScale(desktopW, desktopH) : 1;
}

}  // namespace

bool RescaleWindow(GameWindow& window, int scale, std::string& error) {
    return window.ChangeScale(WholeScale(scale), error);
}

bool OpenWindow(GameWindow& window, int scale, bool fullscreen, std::string& error) {
    scale = WholeScale(scale);
    std::string note;
    if (!window.Open(scale, fullscreen, error, note)) return false;
    if (!note.empty()) Say(note);
    return true;
}

void SetMuted(bool mute) { set_volume(mute ? 0 : 256, 0); }
