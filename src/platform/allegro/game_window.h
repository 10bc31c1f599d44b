#pragma once
// The window (or the full screen) that shows the game's 640 x 480 frames,
// each pixel as an N x N square. The frame itself is made at 640 x 480 as
// always; only showing it scales, and the mouse is mapped back to it.
#include <string>

#include "game/assets.h"

struct BITMAP;

// Where the scaled frame lands on the screen.
struct ScreenView {
    int scale = 1;
    int x = 0;
    int y = 0;
};

constexpr int kLargestScale = 4;
// The largest whole factor (1 at least) for the frame on a screen of w x h, centred.
ScreenView FitView(int screenWidth, int screenHeight);
// The largest scale whose window fits a desktop of w x h with room for its
// panels and the window's title bar.
int AutoScale(int desktopWidth, int desktopHeight);

class GameWindow {
public:
    // Opens the window at the scale, or the full screen. False with the
    // reason; full screen that fails falls back to the window, with a note.
    bool Open(int scale, bool fullscreen, std::string& error, std::string& note);
    // Full screen or back; on failure the window stays as it was and error says why.
    bool ToggleFullscreen(std::string& error);
    // The window's scale from now on (1 to 4), at once when not full screen;
    // on failure the window stays as it was and error says why.
    bool ChangeScale(int scale, std::string& error);

    // The finished frame onto the screen, scaled.
    void Show(BITMAP* frame);
    // A point of the screen to the frame's pixel it shows.
    void MapMouse(int& x, int& y) const;

    // Frees the scaled picture: before allegro_exit, which a bitmap must not outlive.
    void Release() { scaled_.Reset(); }

    bool Fullscreen() const { return fullscreen_; }
    // The screen's mode changed (F11, a failed switch put back) and left it
    // black: true until the next Show, which no idle frame may skip.
    bool ScreenCleared() const { return cleared_; }
    int Scale() const { return windowScale_; }
    const ScreenView& View() const { return view_; }

private:
    bool SetMode(bool fullscreen, std::string& error);

    int windowScale_ = 1;
    bool fullscreen_ = false;
    bool cleared_ = false;
    ScreenView view_;
    BitmapHolder scaled_;  // the frame at view_.scale, when above 1
};
