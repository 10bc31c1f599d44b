#include "edition/menu.h"

#include <algorithm>

#include "edition/edition_draw.h"
#include "game/drawing.h"
#include "game/keys.h"

namespace edition {

void Menu::Select(int line) {
    if (lines.empty()) return;
    selected_ = std::clamp(line, 0, static_cast<int>(lines.size()) - 1);
}

int Menu::LineAt(int x, int y) const {
    if (x < left_ || x >= left_ + width_ || y < top_) return -1;
    const int line = (y - top_) / kLineHeight;
    return line < static_cast<int>(lines.size()) ? line : -1;
}

Menu::Action Menu::Input(const ScreenInput& input) {
    const InputSample& in = input.Now();
    const int count = static_cast<int>(lines.size());
    if (input.Pressed(kKeyEsc)) return Action::Back;
    if (count == 0) return Action::None;
    // Up and Down go round; the wheel, Home and End stop at the ends.
    if (input.Pressed(kKeyUp)) Select((selected_ + count - 1) % count);
    if (input.Pressed(kKeyDown)) Select((selected_ + 1) % count);
    if (in.wheel != 0) Select(selected_ - in.wheel);
    if (input.Pressed(kKeyHome)) Select(0);
    if (input.Pressed(kKeyEnd)) Select(count - 1);
    const int under = LineAt(in.mouseX, in.mouseY);
    // Where the mouse rests as the menu comes up chooses nothing.
    const bool moved = lastMouseX_ >= 0 && (in.mouseX != lastMouseX_ || in.mouseY != lastMouseY_);
    lastMouseX_ = in.mouseX;
    lastMouseY_ = in.mouseY;
    if (under >= 0 && (moved || input.Clicked())) Select(under);
    const bool valued = !lines[static_cast<size_t>(selected_)].value.empty();
    if (input.Clicked() && under >= 0) {
        if (!valued) return Action::Choose;
        return in.mouseX < left_ + width_ - kValueWidth / 2 - 8 ? Action::Less : Action::More;
    }
    if (input.Pressed(kKeyLeft) && valued) return Action::Less;
    if (input.Pressed(kKeyRight) && valued) return Action::More;
    if (input.Confirmed()) return valued ? Action::More : Action::Choose;
    return Action::None;
}

void Menu::Draw(Picture* target) const {
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        const MenuLine& line = lines[static_cast<size_t>(i)];
        const int y = top_ + i * kLineHeight;
        const bool selected = i == selected_;
        if (selected) {
            FillBox(target, left_, y, left_ + width_ - 1, y + kLineHeight - 3, PictureColour(50, 70, 130));
            DrawOutline(target, left_, y, left_ + width_ - 1, y + kLineHeight - 3, Amber());
        }
        const int textY = y + (kLineHeight - 2 - 8) / 2;
        const int colour = selected ? White() : PictureColour(210, 214, 230);
        if (line.value.empty() && line.note.empty()) {
            TextCentred(target, line.label, left_ + width_ / 2, textY, colour);
            continue;
        }
        if (line.value.empty()) {
            Text(target, line.label, left_ + 12, textY, colour);
            Text(target, line.note, left_ + width_ - 12 - Width(line.note), textY, line.done ? Green() : Grey());
            continue;
        }
        Text(target, line.label, left_ + 12, textY, colour);
        const int valueCentre = left_ + width_ - kValueWidth / 2 - 8;
        TextCentred(target, line.value, valueCentre, textY, selected ? Amber() : colour);
        if (selected) {
            Text(target, "<", valueCentre - kValueWidth / 2, textY, Grey());
            Text(target, ">", valueCentre + kValueWidth / 2 - 8, textY, Grey());
        }
    }
}

}  // namespace edition
