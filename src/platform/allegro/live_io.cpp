#include "platform/allegro/live_io.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <string>

#include "game/input.h"
#include "game/keys.h"
#include "platform/allegro/allegro_picture.h"
#include "platform/allegro/game_window.h"

// The frame reads keys by Allegro's scancodes without including Allegro.
static_assert(KeyLetter('A') == KEY_A && KeyLetter('Z') == KEY_Z);
static_assert(KeyDigit(0) == KEY_0 && KeyDigit(9) == KEY_9);
static_assert(KeyF(1) == KEY_F1 && KeyF(12) == KEY_F12 && kKeyF11 == KEY_F11);
static_assert(kKeyEsc == KEY_ESC && kKeyMinus == KEY_MINUS && kKeyEquals == KEY_EQUALS && kKeySpace == KEY_SPACE);
static_assert(kKeyLeft == KEY_LEFT && kKeyRight == KEY_RIGHT && kKeyUp == KEY_UP && kKeyDown == KEY_DOWN);
static_assert(kKeyMinusPad == KEY_MINUS_PAD && kKeyPlusPad == KEY_PLUS_PAD);
static_assert(kKeyBackspace == KEY_BACKSPACE && kKeyTab == KEY_TAB && kKeyEnter == KEY_ENTER);
static_assert(kKeyInsert == KEY_INSERT && kKeyDel == KEY_DEL && kKeyHome == KEY_HOME && kKeyEnd == KEY_END);
static_assert(kKeyPgUp == KEY_PGUP && kKeyPgDn == KEY_PGDN && kKeyDelPad == KEY_DEL_PAD && kKeyEnterPad == KEY_ENTER_PAD);
static_assert(kKeyLShift == KEY_LSHIFT && kKeyRShift == KEY_RSHIFT && kKeyLControl == KEY_LCONTROL);
static_assert(kKeyRControl == KEY_RCONTROL && kKeyAlt == KEY_ALT && kKeyAltGr == KEY_ALTGR);
static_assert(kKeyCount == KEY_MAX + 1);

namespace {

// Set from Allegro's window thread when the player clicks the close button,
// or from a signal handler.
std::atomic<bool> closeClicked{false};
// Set by a signal alone: a request that cannot be answered with a question.
std::atomic<bool> quitSignalled{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

void OnCloseButton() { closeClicked.store(true); }

// Ctrl-C or a polite kill ends the game like the close button, with the
// normal shutdown; a second one is not caught and ends the process at once.
void OnQuitSignal(int signal) {
    closeClicked.store(true);
    quitSignalled.store(true);
    std::signal(signal, SIG_DFL);
}

// The handlers caught over, put back on release: signal dispositions are the
// process's own.
using SignalHandler = void (*)(int);
SignalHandler previousInt = SIG_DFL;
SignalHandler previousTerm = SIG_DFL;
SignalHandler previousQuit = SIG_DFL;
SignalHandler previousHup = SIG_DFL;
bool signalsCaught = false;

}  // namespace

void CatchQuitSignals() {
    if (signalsCaught) return;
    closeClicked.store(false);
    quitSignalled.store(false);
    previousInt = std::signal(SIGINT, OnQuitSignal);
    previousTerm = std::signal(SIGTERM, OnQuitSignal);
    previousQuit = std::signal(SIGQUIT, OnQuitSignal);
    previousHup = std::signal(SIGHUP, OnQuitSignal);
    signalsCaught = true;
}

void ReleaseQuitSignals() {
    if (!signalsCaught) return;
    // Allegro's own handlers take over again until allegro_exit.
    if (previousInt != SIG_ERR) std::signal(SIGINT, previousInt);
    if (previousTerm != SIG_ERR) std::signal(SIGTERM, previousTerm);
    if (previousQuit != SIG_ERR) std::signal(SIGQUIT, previousQuit);
    if (previousHup != SIG_ERR) std::signal(SIGHUP, previousHup);
    signalsCaught = false;
}

void QuitAtOnce() {
    quitSignalled.store(true);
    closeClicked.store(true);
}

LiveIo::LiveIo() {
    set_close_button_callback(OnCloseButton);
    lastWheel_ = mouse_z;
    clear_keybuf();
    pacer_.Start(kFramesPerSecond);
}

LiveIo::~LiveIo() {
    pacer_.Stop();
    set_close_button_callback(nullptr);
}

void LiveIo::Sample(InputSample& s) {
    if (mouse_needs_poll()) poll_mouse();
    if (keyboard_needs_poll()) poll_keyboard();
    s.mouseX = mouse_x;
    s.mouseY = mouse_y;
    if (window_) window_->MapMouse(s.mouseX, s.mouseY);
    s.buttons = mouse_b;
    for (int k = 0; k < KEY_MAX && k < kKeyCount; ++k) s.keys[k] = key[k] != 0;
    // mouse_z counts wheel steps since start-up.
    s.wheel = mouse_z - lastWheel_;
    lastWheel_ = mouse_z;
    s.typedCount = 0;
    while (keypressed()) {
        const int c = readkey() & 0xff;
        if (c >= 32 && c < 127) s.Type(static_cast<char>(c));
    }
}

void LiveIo::Present(Picture* picture) {
    BITMAP* frame = Bitmap(picture);
    pacer_.Wait();
    vsync();
    if (window_) {
        window_->Show(frame);
    } else {
        acquire_screen();
        blit(frame, screen, 0, 0, 0, 0, frame->w, frame->h);
        release_screen();
    }
    rest(0);  // give up the rest of the time slice
}

void LiveIo::PresentUnchanged(Picture* frame) {
    if (window_ && window_->ScreenCleared()) {
        Present(frame);
        return;
    }
    pacer_.Wait();
    rest(0);
}

void LiveIo::PlaySound(Sound* sound, int frequency, bool loop) {
    if (sound) play_sample(SampleOf(sound), volume_, 128, frequency, loop ? 1 : 0);
}

void LiveIo::StopSound(Sound* sound) {
    if (sound) stop_sample(SampleOf(sound));
}

bool LiveIo::CloseRequested() { return closeClicked.load(); }

bool LiveIo::QuitSignalled() { return quitSignalled.load(); }

void LiveIo::ForgetCloseRequest() {
    if (!quitSignalled.load()) closeClicked.store(false);
}

bool LiveIo::QuitHeld() { return key[KEY_F10] || CloseRequested(); }

void LiveIo::ShowTitle(const char* title) {
    // Allegro hands the window manager ASCII only (anything else becomes
    // '^'): the dashes and dots of a UTF-8 title become hyphens.
    std::string ascii;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(title); *c != '\0'; ++c) {
        if (*c < 0x80) {
            ascii += static_cast<char>(*c);
        } else if ((*c & 0xC0) != 0x80) {
            ascii += '-';  // the first byte of a character: one hyphen for it
        }
    }
    set_window_title(ascii.c_str());
}

void LiveIo::SetVolume(int percent) { volume_ = std::clamp(percent, 0, 100) * 256 / 100; }
