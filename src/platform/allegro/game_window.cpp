#include "platform/allegro/game_window.h"

#include <algorithm>

#include "platform/allegro/allegro_picture.h"
#include "sim/play_field.h"

namespace {
constexpr int kPanelRoom = 64;  // desktop rows kept for panels and the title bar
}

ScreenView FitView(int w, int h) {
    ScreenView v;
    v.scale = std::clamp(std::min(w / kScreenWidth, h / kScreenHeight), 1, kLargestScale);
    v.x = std::max(0, (w - kScreenWidth * v.scale) / 2);
    v.y = std::max(0, (h - kScreenHeight * v.scale) / 2);
    return v;
}

int AutoScale(int w, int h) { return FitView(w, h - kPanelRoom).scale; }

bool GameWindow::SetMode(bool fullscreen, std::string& error) {
    int w = kScreenWidth * windowScale_, h = kScreenHeight * windowScale_;
    if (fullscreen && get_desktop_resolution(&w, &h) != 0) {
        error = "the desktop's size is unknown";
        return false;
    }
    const int card = fullscreen ? GFX_AUTODETECT_FULLSCREEN : GFX_AUTODETECT_WINDOWED;
    if (set_gfx_mode(card, w, h, 0, 0) != 0) {
        error = allegro_error[0] != '\0' ? allegro_error : "the display refused";
        return false;
    }
    fullscreen_ = fullscreen;
    view_ = fullscreen ? FitView(SCREEN_W, SCREEN_H) : ScreenView{windowScale_, 0, 0};
    scaled_.Reset(view_.scale > 1 ? AsPicture(create_bitmap(kScreenWidth * view_.scale, kScreenHeight * view_.scale))
                                  : nullptr);
    clear_to_color(screen, makecol(0, 0, 0));
    cleared_ = true;
    return true;
}

bool GameWindow::Open(int scale, bool fullscreen, std::string& error, std::string& note) {
    windowScale_ = std::clamp(scale, 1, kLargestScale);
    if (fullscreen) {
        if (SetMode(true, error)) return true;
        note = "cannot switch to full screen: " + error + "; playing in a window";
    }
    if (SetMode(false, error)) return true;
    error = "cannot open the " + std::to_string(kScreenWidth * windowScale_) + " x " +
            std::to_string(kScreenHeight * windowScale_) + " window: " + error;
    return false;
}

bool GameWindow::ToggleFullscreen(std::string& error) {
    const bool wanted = !fullscreen_;
    if (SetMode(wanted, error)) return true;
    std::string again;
    // A failed switch leaves no screen: the window as it was comes back.
    if (!SetMode(fullscreen_, again)) error += "; and the old mode failed too: " + again;
    return false;
}

bool GameWindow::ChangeScale(int scale, std::string& error) {
    const int was = windowScale_;
    windowScale_ = std::clamp(scale, 1, kLargestScale);
    if (fullscreen_ || windowScale_ == was) return true;
    if (SetMode(false, error)) return true;
    windowScale_ = was;
    std::string again;
    if (!SetMode(false, again)) error += "; and the old window failed too: " + again;
    return false;
}

void GameWindow::Show(BITMAP* frame) {
    acquire_screen();
    if (scaled_.get()) {
        BITMAP* big = Bitmap(scaled_.get());
        stretch_blit(frame, big, 0, 0, frame->w, frame->h, 0, 0, big->w, big->h);
        blit(big, screen, 0, 0, view_.x, view_.y, big->w, big->h);
    } else {
        blit(frame, screen, 0, 0, view_.x, view_.y, frame->w, frame->h);
    }
    release_screen();
    cleared_ = false;
}

void GameWindow::MapMouse(int& x, int& y) const {
    x = std::clamp((x - view_.x) / view_.scale, 0, kScreenWidth - 1);
    y = std::clamp((y - view_.y) / view_.scale, 0, kScreenHeight - 1);
}
