#include "solve/nav_field.h"

#include <algorithm>
#include <deque>

namespace {
// Boxes sharing interior area; edges that only touch do not count.
bool Intersect(const Box& a, const Box& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}
bool TouchOrIntersect(const Box& a, const Box& b) {
    return a.x <= b.x + b.w && b.x <= a.x + a.w && a.y <= b.y + b.h && b.y <= a.y + a.h;
}
}  // namespace

NavField::NavField(const std::vector<Box>& solids, const std::vector<Box>& exits, Box hamsterBox)
    : cells_(kColumns * kRows, -1) {
    std::vector<bool> free(cells_.size(), true);
    std::deque<int> queue;
    for (int row = 0; row < kRows; ++row) {
        for (int col = 0; col < kColumns; ++col) {
            const int cx = kLeft + col * kCell + kCell / 2;
            const int cy = kTop + row * kCell + kCell / 2;
            const Box body{static_cast<short>(cx + hamsterBox.x), static_cast<short>(cy + hamsterBox.y), hamsterBox.w,
                           hamsterBox.h};
            const int i = row * kColumns + col;
            for (const Box& s : solids) {
                if (Intersect(body, s)) {
                    free[i] = false;
                    break;
                }
            }
            if (!free[i]) continue;
            for (const Box& e : exits) {
                if (TouchOrIntersect(body, e)) {
                    cells_[i] = 0;
                    queue.push_back(i);
                    break;
                }
            }
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
