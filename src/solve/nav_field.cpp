#include "solve/nav_field.h"

#include <algorithm>
#include <deque>

namespace {
int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int CeilDiv(int a, int b) { return -FloorDiv(-a, b); }
}  // namespace

// The cells whose hamster body lies in a box: within it or, with touching,
// also against its edges. Found from the box's range rather than by testing
// every cell against every box, so that a level of many thousand blocks
// costs its blocks, not its blocks times the grid.
template <class Each>
void NavField::ForCellsAt(const Box& box, Box hamsterBox, bool touching, Each each) {
    // A cell's body starts at centre + hamsterBox.x; it meets the box where
    //   centre + hb.x < box.x + box.w  and  box.x < centre + hb.x + hb.w
    // (with <= when touching counts), and likewise for y.
    const int slack = touching ? 0 : 1;
    auto range = [&](int boxFrom, int boxSize, int hbFrom, int hbSize, int origin, int count, int& lo, int& hi) {
        const int first = boxFrom - hbFrom - hbSize + slack, last = boxFrom + boxSize - hbFrom - slack;
        lo = std::max(0, CeilDiv(first - origin - kCell / 2, kCell));
        hi = std::min(count - 1, FloorDiv(last - origin - kCell / 2, kCell));
    };
    int colLo, colHi, rowLo, rowHi;
    range(box.x, box.w, hamsterBox.x, hamsterBox.w, kLeft, kColumns, colLo, colHi);
    range(box.y, box.h, hamsterBox.y, hamsterBox.h, kTop, kRows, rowLo, rowHi);
    for (int row = rowLo; row <= rowHi; ++row)
        for (int col = colLo; col <= colHi; ++col) each(row * kColumns + col);
}

NavField::NavField(const std::vector<Box>& solids, const std::vector<Box>& exits, Box hamsterBox)
    : cells_(kColumns * kRows, -1) {
    std::vector<bool> free(cells_.size(), true), atExit(cells_.size(), false);
    for (const Box& s : solids) ForCellsAt(s, hamsterBox, false, [&](int i) { free[i] = false; });
    for (const Box& e : exits) ForCellsAt(e, hamsterBox, true, [&](int i) { atExit[i] = true; });
    std::deque<int> queue;
    for (int i = 0; i < static_cast<int>(cells_.size()); ++i) {
        if (free[i] && atExit[i]) {
            cells_[i] = 0;
            queue.push_back(i);
        }
    }
    while (!queue.empty()) {
        const int i = queue.front();
        queue.pop_front();
        const int row = i / kColumns, col = i % kColumns;
        const int next[4][2] = {{row - 1, col}, {row + 1, col}, {row, col - 1}, {row, col + 1}};
        for (const auto& n : next) {
            if (n[0] < 0 || n[0] >= kRows || n[1] < 0 || n[1] >= kColumns) continue;
            const int j = n[0] * kColumns + n[1];
            if (!free[j] || cells_[j] >= 0) continue;
            cells_[j] = cells_[i] + 1;
            queue.push_back(j);
        }
    }
}

int NavField::Distance(int x, int y) const {
    // Beyond the field, the way back to its edge is counted straight.
    const int col = std::clamp((x - kLeft) / kCell, 0, kColumns - 1);
    const int row = std::clamp((y - kTop) / kCell, 0, kRows - 1);
    const int right = kLeft + kColumns * kCell, bottom = kTop + kRows * kCell;
    const int outside = std::max({0, kLeft - x, x - right}) + std::max({0, kTop - y, y - bottom});
    const int cells = cells_[row * kColumns + col];
    if (cells < 0) {
        // Inside a wall or cut off: look at the neighbourhood before giving up,
        // a hamster pressed against a block sits on a blocked cell.
        int best = -1;
        for (int dr = -3; dr <= 3; ++dr) {
            for (int dc = -3; dc <= 3; ++dc) {
                const int r = row + dr, c = col + dc;
                if (r < 0 || r >= kRows || c < 0 || c >= kColumns) continue;
                const int v = cells_[r * kColumns + c];
                if (v >= 0 && (best < 0 || v < best)) best = v;
            }
        }
        return best < 0 ? kFar : best * kCell + 2 * kCell + outside;
    }
    return cells * kCell + outside;
}
