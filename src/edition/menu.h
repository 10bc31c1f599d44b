#pragma once
// A list of choices on a panel, for the title and the settings: Up and Down
// (or the wheel, or the mouse over a line) select, Enter, Space or a click
// chooses, Left and Right change a line's value (a click on its left or
// right half does too), Esc goes back.
#include <string>
#include <vector>

#include "edition/screen_input.h"

struct Picture;

namespace edition {

struct MenuLine {
    std::string label;
    std::string value;  // shown at the right, between arrows; empty: a plain choice
    std::string note;   // a plain choice's few words at the right ("21 levels, 3 solved")
    bool done = false;  // the note in green: nothing left to do there
};

class Menu {
public:
    enum class Action { None, Choose, Less, More, Back };

    Menu(int left, int top, int width) : left_(left), top_(top), width_(width) {}

    std::vector<MenuLine> lines;

    Action Input(const ScreenInput& input);
    void Draw(Picture* target) const;

    int Selected() const { return selected_; }
    void Select(int line);
    // The mouse where it is now does not select: the menu has just come up.
    void Rest() { lastMouseX_ = lastMouseY_ = -1; }
    // The line under the point, or -1.
    int LineAt(int x, int y) const;
    int Bottom() const { return top_ + static_cast<int>(lines.size()) * kLineHeight; }

    static constexpr int kLineHeight = 24;
    static constexpr int kValueWidth = 96;  // the value and its arrows, at the right

private:
    int left_, top_, width_;
    int selected_ = 0;
    int lastMouseX_ = -1, lastMouseY_ = -1;  // the mouse selects a line only when it moves
};

}  // namespace edition
