#pragma once
// The web page's input and output for the frame: the mouse and keys the page
// reported (Allegro's button bits and scancodes), and the finished frame
// turned to RGBA for the canvas.
#include <bitset>
#include <vector>

#include "game/frame_io.h"
#include "game/input.h"
#include "sim/play_field.h"

class WebIo : public FrameIo {
public:
    void Sample(InputSample& sample) override;
    void Present(Picture* frame) override;
    void PlaySound(Sound* sound, int frequency, bool loop) override;
    void StopSound(Sound* sound) override;

    // From the page's events, between frames.
    void MoveMouse(int x, int y);
    void SetButtons(int buttons) { buttons_ = buttons; }
    void SetKey(int scancode, bool held);
    // A printable character typed (names in the designer), a wheel step.
    void Type(char c);
    void Wheel(int steps) { wheel_ += steps; }
    // The player's settings: 0 to 100 of every sample's volume, or none.
    void SetVolume(int percent, bool muted);

    // A picture presented since the last call is shown on the page.
    void ShowNewPicture();

private:
    // Until the pointer first comes over the page, the cursor waits just
    // beyond the frame's bottom-right corner, where no picture shows it.
    int mouseX_ = kScreenWidth, mouseY_ = kScreenHeight, buttons_ = 0;
    std::bitset<kKeyCount> keys_;
    std::vector<char> typed_;
    int wheel_ = 0;
    int volume_ = 256;
    Picture* frame_ = nullptr;  // presented, not shown yet
    std::vector<unsigned char> rgba_;
};
