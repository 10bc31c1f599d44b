// The two 20 x 20 play-field tiles: a stone block and a brick.
#include "det_math.h"
#include "pictures.h"

namespace gen {

namespace {

constexpr int kTile = 20;

// The four corner pixels stay unpainted: tiles side by side then read as
// separate pieces, and the sprite keeps its mask colour.
bool IsCorner(int x, int y) { return (x == 0 || x == kTile - 1) && (y == 0 || y == kTile - 1); }

}  // namespace

Image MakeBlock() {
    Image img(kTile, kTile);
    const Rgb stone{118, 122, 134};
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            if (IsCorner(x, y)) continue;
            // Grainy stone: broad mottling plus a fine speckle.
            double k = 1.0 + 0.10 * Fractal2(x / 6.0, y / 6.0, 3, 11) + 0.06 * (Hash2(x, y, 5) % 100 / 50.0 - 1.0);
            // Lit from the top left: light rim there, shadowed rim opposite.
            if (x == 0 || y == 0) k = 1.32;
            else if (x == kTile - 1 || y == kTile - 1) k = 0.52;
            else if (x == 1 || y == 1) k += 0.14;
            else if (x == kTile - 2 || y == kTile - 2) k -= 0.18;
            img.Set(x, y, Shade(stone, k));
        }
    // A couple of chipped spots; anything bolder would pattern a wall of blocks.
    img.Set(5, 6, Shade(stone, 0.74));
    img.Set(6, 6, Shade(stone, 0.8));
    img.Set(5, 5, Shade(stone, 1.12));
    img.Set(14, 13, Shade(stone, 0.7));
    img.Set(15, 13, Shade(stone, 0.75));
    img.Set(14, 12, Shade(stone, 1.15));
    return img;
}

Image MakeBrick() {
    Image img(kTile, kTile);
    const Rgb mortar{172, 160, 142};
    const Rgb clay{168, 68, 44};
    // Three courses of bricks with offset joints; mortar rows at 6 and 13.
    const int courseTop[3] = {0, 7, 14};
    const int courseBottom[3] = {5, 12, 19};
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            if (IsCorner(x, y)) continue;
            int course = -1;
            for (int c = 0; c < 3; ++c)
                if (y >= courseTop[c] && y <= courseBottom[c]) course = c;
            const bool jointColumn = course == 1 ? (x == 4 || x == 14) : (x == 9);
            Rgb c;
            if (course < 0 || jointColumn) {
                c = Shade(mortar, 1.0 + 0.05 * (Hash2(x, y, 9) % 100 / 50.0 - 1.0));
            } else {
                // Each brick has its own tone; its faces catch light on top.
                const int brick = course * 3 + (course == 1 ? (x < 4 ? 0 : (x < 14 ? 1 : 2)) : (x < 9 ? 0 : 1));
                double k = 0.9 + 0.2 * (Hash(brick * 31 + 7) % 100) / 100.0;
                k += 0.08 * Fractal2(x / 3.0, y / 3.0, 2, 21);
                if (y == courseTop[course]) k += 0.22;
                if (y == courseBottom[course]) k -= 0.2;
                c = Shade(clay, k);
            }
            // The piece's own rim: light top-left, dark bottom-right.
            if (x == 0 || y == 0) c = Shade(c, 1.18);
            if (x == kTile - 1 || y == kTile - 1) c = Shade(c, 0.55);
            img.Set(x, y, c);
        }
    return img;
}

}  // namespace gen
