// The two 24 x 24 bombs: round, with a metal cap and a curled fuse. The red
// one is the player's (and the inventory icon), the blue one is fixed.
#include "paint.h"
#include "pictures.h"
#include "shapes.h"

namespace gen {

namespace {

Image Bomb(Rgb body) {
    Image img(24, 24);
    const double cx = 11.5, cy = 13.5, r = 9.2;
    const Rgb outline{22, 16, 20};
    // Fuse first, so the cap covers its root.
    const Polyline fuse{{{16.5, 6.5}, {18.0, 3.6}, {20.2, 2.4}, {22.0, 3.4}}, 1.0};
    Fill(img, Polyline{fuse.points, 1.9}, outline);
    Fill(img, fuse, Rgb{214, 184, 120});
    // Body with a dark outline all round.
    Fill(img, Circle(cx, cy, r + 1.2), outline);
    Fill(img, Circle(cx, cy, r), [&](double x, double y) { return SphereShade(body, cx, cy, r, x, y); });
    // Metal cap, tilted toward the fuse.
    const Vec c{16.0, 7.2};
    auto capCorner = [&](double dx, double dy) { return Rotate({c.x + dx, c.y + dy}, c, 0.75); };
    const Polygon capOutline{{capCorner(-3.6, -2.6), capCorner(3.6, -2.6), capCorner(3.6, 2.8), capCorner(-3.6, 2.8)}};
    const Polygon cap{{capCorner(-2.6, -1.6), capCorner(2.6, -1.6), capCorner(2.6, 1.8), capCorner(-2.6, 1.8)}};
    Fill(img, capOutline, outline);
    Fill(img, cap, [&](double x, double y) { return SphereShade({150, 150, 160}, c.x, c.y, 4.0, x, y, 0.6); });
    return img;
}

}  // namespace

Image MakeRedBomb() { return Bomb({214, 34, 26}); }
Image MakeBlueBomb() { return Bomb({44, 86, 220}); }

}  // namespace gen
