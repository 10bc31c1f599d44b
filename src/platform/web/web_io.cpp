#include "platform/web/web_io.h"

#include <algorithm>

#include "sim/play_field.h"
#include "raster/rgba.h"
#include "platform/web/page_calls.h"
#include "platform/web/web_media.h"

void WebIo::Sample(InputSample& s) {
    s.mouseX = mouseX_;
    s.mouseY = mouseY_;
    s.buttons = buttons_;
    s.keys = keys_;
}

// Of the frames run between two pictures of the page, the last is shown.
void WebIo::Present(Picture* frame) { frame_ = frame; }

// Full volume, centred, as the native game plays every sample.
void WebIo::PlaySound(Sound* sound, int frequency, bool loop) {
    if (sound) PagePlaySound(sound->id, 256, 128, frequency, loop);
}

void WebIo::StopSound(Sound* sound) {
    if (sound) PageStopSound(sound->id);
}

// The window's mouse stays on the screen, as Allegro's does.
void WebIo::MoveMouse(int x, int y) {
    mouseX_ = std::clamp(x, 0, kScreenWidth - 1);
    mouseY_ = std::clamp(y, 0, kScreenHeight - 1);
}

void WebIo::SetKey(int scancode, bool held) {
    if (scancode > 0 && scancode < kKeyCount) keys_[static_cast<size_t>(scancode)] = held;
}

void WebIo::ShowNewPicture() {
    if (!frame_) return;
    rgba_.resize(4 * static_cast<size_t>(frame_->w) * static_cast<size_t>(frame_->h));
    ToRgba(frame_->View(), rgba_.data());
    PageShowPicture(rgba_.data(), frame_->w, frame_->h);
    frame_ = nullptr;
}
