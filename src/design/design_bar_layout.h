#pragma once
// Where things lie on the design bar, in bar coordinates (y from its top
// edge). The asset generator paints the bar's picture to this layout and the
// designer hit-tests and writes into it, so both read it from here.
#include "game/asset_files.h"

namespace design {

// As wide as the screen, as tall as the HUD it stands in for.
constexpr int kBarWidth = kScreenWidth;
constexpr int kBarHeight = kHudHeight;

struct BarBox {
    int x, y, w, h;
    constexpr bool Holds(int px, int py) const { return px > x && px <= x + w && py > y && py <= y + h; }
};

// A row of buttons, each with its key in small letters beneath: first the
// tools, then the commands.
constexpr int kButtonSize = 24;
constexpr int kButtonStep = 28;
constexpr int kButtonTop = 3;
constexpr int kButtonLabelY = 30;

enum class Tool { Block, Brick, Hamster, Exit, FixedBomb, Eraser, Select };
constexpr int kToolCount = 7;
constexpr char kToolKeys[kToolCount] = {'B', 'R', 'H', 'X', 'F', 'E', 'S'};
constexpr const char* kToolNames[kToolCount] = {"block", "brick", "hamster", "exit", "fixed bomb", "eraser", "select"};
constexpr BarBox ToolButton(int k) { return {4 + kButtonStep * k, kButtonTop, kButtonSize, kButtonSize}; }

enum class Command {
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    PreviousLevel,
    NextLevel,
    NewLevel,
    Rename,
    AddBomb,
    Solve,
    TestPlay,
    Findings,
    Help,
    Save,
};
constexpr int kCommandCount = 15;
// What hovering over the button says, and its key.
constexpr const char* kCommandNames[kCommandCount] = {
    "undo", "redo", "cut", "copy", "paste at the cursor", "previous level", "next level", "new level",
    "rename the level", "one more inventory bomb (Shift+I: one fewer)", "solve", "test-play",
    "the checker's findings", "help: every key", "save"};
constexpr const char* kCommandKeys[kCommandCount] = {"Ctrl+Z", "Ctrl+Y", "Ctrl+X", "Ctrl+C", "Ctrl+V",
                                                     "PgUp",   "PgDn",   "Ctrl+N", "F2",     "I",
                                                     "F5",     "Tab",    "F3",     "F1",     "Ctrl+S"};
// The key as the button's small label shows it ('^' for Ctrl).
constexpr const char* kCommandLabels[kCommandCount] = {"^Z", "^Y", "^X", "^C", "^V", "PGUP", "PGDN", "^N",
                                                       "F2", "I",  "F5", "TAB", "F3", "F1",   "^S"};
constexpr BarBox CommandButton(int k) { return {212 + kButtonStep * k, kButtonTop, kButtonSize, kButtonSize}; }

// The text well under the buttons: four lines (the level and its counts,
// the solve, the checks after it, the last message).
constexpr BarBox kTextWell{4, 39, 630, 40};
constexpr int kTextLeft = 5;  // from the well's x
constexpr int kLineY[4] = {42, 51, 60, 69};

}  // namespace design
