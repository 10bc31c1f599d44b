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
    s.wheel = wheel_;
    wheel_ = 0;
    s.typedCount = 0;
    for (char c : typed_) s.Type(c);
    typed_.clear();
}

void WebIo::Type(char c) {
    if (c >= 32 && c < 127 && typed_.size() < 64) typed_.push_back(c);
}

void WebIo::SetVolume(int percent, bool muted) {
    volume_ = muted ? 0 : std::clamp(percent, 0, 100) * 256 / 100;
}

// Of the frames run between two pictures of the page, the last is shown.
void WebIo::Present(Picture* frame) { frame_ = frame; }

// Centred, as the native game plays every sample; at full volume unless
// the player's settings say less.
void WebIo::PlaySound(Sound* sound, int frequency, bool loop) {
    if (sound && volume_ > 0) PagePlaySound(sound->id, volume_, 128, frequency, loop);
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
