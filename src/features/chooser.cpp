#include "features/chooser.h"

#include <algorithm>
#include <cstdio>

#include "game/assets.h"
#include "game/drawing.h"
#include "game/frame_draw.h"
#include "game/frame_io.h"
#include "game/keys.h"
#include "game/media_files.h"

namespace {

// The panel lies over the play-field, above the edit-mode HUD.
constexpr int kLeft = 48, kRight = 592, kTop = 36;
constexpr int kFirstLineY = 70, kLineHeight = 20;
constexpr int kBottom = kFirstLineY + Chooser::kVisibleLines * kLineHeight + 30;

void Text(Picture* target, const std::string& text, int x, int y, int colour) {
    WriteText(target, text.c_str(), x, y, colour);
}

std::string Clipped(const std::string& text, size_t chars) {
    return text.size() <= chars ? text : text.substr(0, chars - 1) + "~";
}

}  // namespace

Chooser::Chooser(std::vector<LevelLine> lines, int selected) : lines_(std::move(lines)) { Select(selected); }

void Chooser::Select(int line) {
    if (lines_.empty()) return;
    selected_ = std::clamp(line, 0, static_cast<int>(lines_.size()) - 1);
    if (selected_ < top_) top_ = selected_;
    if (selected_ >= top_ + kVisibleLines) top_ = selected_ - kVisibleLines + 1;
}

int Chooser::LineAt(int x, int y) const {
    if (x < kLeft || x >= kRight || y < kFirstLineY - 4) return -1;
    const int row = (y - (kFirstLineY - 4)) / kLineHeight;
    const int line = top_ + row;
    if (row >= kVisibleLines || line >= static_cast<int>(lines_.size())) return -1;
    return line;
}

bool Chooser::Input(const InputSample& in, const std::bitset<kKeyCount>& pressed, ChooserChoice& choice) {
    choice.level = selected_;
    if (pressed[kKeyF10]) {
        choice.kind = ChooserChoice::Quit;
        return true;
    }
    if (pressed[kKeyEsc]) {
        choice.kind = ChooserChoice::Back;
        return true;
    }
    if (lines_.empty()) return false;
    if (pressed[kKeyEnter] || pressed[kKeyEnterPad]) {
        choice.kind = ChooserChoice::Play;
        return true;
    }
    if (pressed[KeyLetter('W')] && lines_[selected_].progress) {
        choice.kind = ChooserChoice::Watch;
        return true;
    }
    int move = -in.wheel;  // turned away from the player: up the list
    if (pressed[kKeyUp]) move -= 1;
    if (pressed[kKeyDown]) move += 1;
    if (pressed[kKeyPgUp]) move -= kVisibleLines;
    if (pressed[kKeyPgDn]) move += kVisibleLines;
    if (pressed[kKeyHome]) move = -selected_;
    if (pressed[kKeyEnd]) move = static_cast<int>(lines_.size());
    if (move != 0) Select(selected_ + move);
    if (in.pressed & kLeftButton) {
        const int line = LineAt(in.mouseX, in.mouseY);
        if (line >= 0 && line == selected_) {
            choice.kind = ChooserChoice::Play;
            return true;
        }
        if (line >= 0) Select(line);
    }
    return false;
}

void Chooser::Draw(Picture* target) const {
    const int white = PictureColour(255, 255, 255), grey = PictureColour(170, 170, 170);
    const int green = PictureColour(120, 230, 120), amber = PictureColour(240, 200, 90);
    ShadeBox(target, kLeft, kTop, kRight - 1, kBottom - 1, PictureColour(10, 14, 30), 200);
    DrawOutline(target, kLeft, kTop, kRight - 1, kBottom - 1, grey);
    Text(target, "Choose a level", kLeft + 16, kTop + 12, white);
    Text(target, "best run", 440, kTop + 12, grey);
    for (int row = 0; row < kVisibleLines && top_ + row < static_cast<int>(lines_.size()); ++row) {
        const LevelLine& line = lines_[top_ + row];
        const int y = kFirstLineY + row * kLineHeight;
        if (top_ + row == selected_) FillBox(target, kLeft + 4, y - 6, kRight - 5, y + 11, PictureColour(50, 70, 130));
        char number[16];
        std::snprintf(number, sizeof number, "%3d", line.number);
        Text(target, number, kLeft + 12, y, grey);
        Text(target, Clipped(line.name, 26), kLeft + 56, y, white);
        if (!line.progress) {
            Text(target, "unsolved", 312, y, grey);
            continue;
        }
        const bool hinted = line.progress->hinted;
        Text(target, hinted ? "with hint" : "solved", 312, y, hinted ? amber : green);
        const size_t bombs = line.progress->best.bombs.size();
        Text(target, std::to_string(bombs) + (bombs == 1 ? " bomb" : " bombs"), 400, y, white);
        Text(target, "frame " + std::to_string(line.progress->best.frame), 472, y, white);
    }
    if (top_ > 0) Text(target, "^", kRight - 16, kFirstLineY, grey);
    if (top_ + kVisibleLines < static_cast<int>(lines_.size()))
        Text(target, "v", kRight - 16, kFirstLineY + (kVisibleLines - 1) * kLineHeight, grey);
    Text(target, "Enter: play   W: watch the best run   Esc: back", kLeft + 16, kBottom - 18, grey);
}

ChooserChoice RunChooser(Chooser& chooser, const Assets& assets, FrameIo& io, InputSample& held) {
    Picture* buffer = assets.backBuffer.get();
    const int w = buffer ? PictureWidth(buffer) : 0, h = buffer ? PictureHeight(buffer) : 0;
    BitmapHolder under;  // the play-field as it was
    if (buffer) {
        under.Reset(NewPicture(w, h));
        if (under.get()) CopyPicture(buffer, under.get(), 0, 0, 0, 0, w, h);
    }
    InputSample in;
    std::bitset<kKeyCount> before = held.keys;
    int buttonsBefore = held.buttons;
    ChooserChoice choice;
    for (;;) {
        in = InputSample{};
        io.Sample(in);
        in.pressed = in.buttons & ~buttonsBefore;
        buttonsBefore = in.buttons;
        const std::bitset<kKeyCount> pressed = in.keys & ~before;
        before = in.keys;
        const bool closed = chooser.Input(in, pressed, choice) || io.CloseRequested();
        if (io.CloseRequested()) choice.kind = ChooserChoice::Quit;
        if (buffer && under.get() && !closed) {
            CopyPicture(under.get(), buffer, 0, 0, 0, 0, w, h);
            chooser.Draw(buffer);
            DrawCursor(buffer, assets.cursor.get(), in.mouseX, in.mouseY, true);
        }
        if (closed) break;
        io.Present(buffer);
    }
    held = in;
    // The play-field goes back as it was.
    if (buffer && under.get()) CopyPicture(under.get(), buffer, 0, 0, 0, 0, w, h);
    return choice;
}
