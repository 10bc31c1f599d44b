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

enum class Tool { Block, Brick, Hamster, Exit, FixedBomb, Eraser };
constexpr int kToolCount = 6;
constexpr char kToolKeys[kToolCount] = {'B', 'R', 'H', 'X', 'F', 'E'};
constexpr BarBox ToolButton(int k) { return {8 + 36 * k, 8, 32, 32}; }
constexpr int kToolLabelY = 44;

// The text wells: two lines in the upper one (the level, the counts), two
// in the lower (the solve, the last message).
constexpr BarBox kLevelWell{232, 8, 400, 34};
constexpr BarBox kStatusWell{8, 53, 624, 24};
constexpr int kTextLeft = 6;  // from a well's x
constexpr int kLevelLineY[2] = {13, 27};
constexpr int kStatusLineY[2] = {57, 68};

}  // namespace design
