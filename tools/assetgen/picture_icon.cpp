// The menu icon: a startled hamster beside a red bomb whose fuse is burning,
// on a rounded tile of cavern blue with a row of stone blocks for floor. It is
// laid out on a 64 x 64 grid and painted at any size, so each size is drawn
// sharp rather than scaled from another. Unpainted pixels stay transparent.
#include "hamster_colours.h"
#include "paint.h"
#include "pictures.h"
#include "shapes.h"

namespace gen {

namespace {

using namespace hamster;
const Rgb kBombOutline{22, 16, 20};

// Grid units to pixels.
struct Grid {
    double k;
    double operator()(double v) const { return v * k; }
    Vec P(double x, double y) const { return {x * k, y * k}; }
    Ellipse E(double cx, double cy, double rx, double ry) const { return {cx * k, cy * k, rx * k, ry * k}; }
    Ellipse C(double cx, double cy, double r) const { return E(cx, cy, r, r); }
    Ellipse Grown(const Ellipse& e, double by) const { return {e.cx, e.cy, e.rx + by * k, e.ry + by * k}; }
};

void Tile(Image& img, const Grid& g) {
    const RoundRect edge{g(2), g(2), g(62), g(62), g(12)};
    const RoundRect face{g(3.5), g(3.5), g(60.5), g(60.5), g(10.5)};
    Fill(img, edge, Rgb{12, 18, 34});
    // Light falls in from the upper right, where the spark is.
    Fill(img, face, [&](double x, double y) {
        const Rgb sky = VerticalGradient(Rgb{58, 96, 140}, Rgb{20, 32, 60}, g(4), g(56), y);
        const double dx = x - g(52), dy = y - g(12);
        const double near = 1.0 - (dx * dx + dy * dy) / (g(40) * g(40));
        return near > 0 ? sky + Rgb{70, 56, 24} * (near * near) : sky;
    });
    // Three stone blocks as floor, cut by the tile's rounded corners.
    const Rgb stone{118, 122, 134};
    for (int i = 0; i < 3; ++i) {
        const double x0 = 3.5 + i * 19.0, x1 = x0 + 19.0;
        const Rect block{g(x0), g(52), g(x1), g(60.5)};
        const Rect inner{g(x0 + 1.0), g(53), g(x1 - 1.0), g(59.5)};
        FillIn(img, block.Box(), [&](double x, double y) { return block(x, y) && face(x, y); }, Shade(stone, 0.45));
        FillIn(img, inner.Box(), [&](double x, double y) { return inner(x, y) && face(x, y); },
               [&](double, double y) { return VerticalGradient(Shade(stone, 1.25), stone, g(53), g(59.5), y); });
    }
}

void Bomb(Image& img, const Grid& g) {
    const double cx = 43, cy = 38.5, r = 12.5;
    const Polyline fuse{{g.P(49.5, 26.5), g.P(52.0, 21.0), g.P(54.5, 19.0), g.P(55.5, 15.5)}, g(1.1)};
    Fill(img, Polyline{fuse.points, g(2.0)}, kBombOutline);
    Fill(img, fuse, Rgb{214, 184, 120});
    Fill(img, g.C(cx, cy, r + 1.4), kBombOutline);
    Fill(img, g.C(cx, cy, r), [&](double x, double y) { return SphereShade({214, 34, 26}, g(cx), g(cy), g(r), x, y); });
    const Vec c = g.P(50.0, 28.5);
    auto corner = [&](double dx, double dy) { return Rotate({c.x + g(dx), c.y + g(dy)}, c, 0.75); };
    Fill(img, Polygon{{corner(-4.6, -3.4), corner(4.6, -3.4), corner(4.6, 3.6), corner(-4.6, 3.6)}}, kBombOutline);
    Fill(img, Polygon{{corner(-3.4, -2.2), corner(3.4, -2.2), corner(3.4, 2.4), corner(-3.4, 2.4)}},
         [&](double x, double y) { return SphereShade({150, 150, 160}, c.x, c.y, g(5.0), x, y, 0.6); });
    // The spark at the fuse's end: a glow, eight rays and a white-hot core.
    const Vec s = g.P(55.5, 14.5);
    Fill(img, Circle(s.x, s.y, g(5.0)), Rgb{255, 170, 40}, 0.35);
    for (int i = 0; i < 8; ++i) {
        const double length = i % 2 == 0 ? 6.0 : 3.8;
        const Vec tip = Rotate({s.x + g(length), s.y}, s, i * 0.785398163397448);
        Fill(img, Capsule{s, tip, g(0.75)}, Rgb{255, 214, 80});
    }
    Fill(img, Circle(s.x, s.y, g(2.0)), kWhite);
}

void Hamster(Image& img, const Grid& g) {
    const Ellipse body = g.E(19, 44, 12.5, 10.5);
    const Ellipse head = g.E(19, 31, 11.0, 9.5);
    const Ellipse earL = g.E(10.0, 21.5, 3.4, 4.4), earR = g.E(28.0, 21.5, 3.4, 4.4);
    const Ellipse footL = g.E(12.0, 53.5, 3.6, 1.9), footR = g.E(26.0, 53.5, 3.6, 1.9);
    auto fur = [&](double fx, double fy, double fr) {
        return [=](double x, double y) { return SphereShade(kFur, g(fx), g(fy), g(fr), x, y, 0.0) * 1.15; };
    };
    for (const Ellipse& e : {earL, earR, body, head, footL, footR}) Fill(img, g.Grown(e, 1.4), kOutline);
    for (const Ellipse& e : {earL, earR}) {
        Fill(img, e, fur(19, 32, 20));
        Fill(img, Ellipse{e.cx, e.cy + g(0.5), e.rx - g(1.4), e.ry - g(1.6)}, kPink);
    }
    Fill(img, footL, kPink);
    Fill(img, footR, kPink);
    Fill(img, body, fur(19, 36, 20));
    Fill(img, head, fur(19, 29, 15));
    Fill(img, g.E(19, 46.5, 8.0, 6.8),
         [&](double x, double y) { return SphereShade(kCream, g(19), g(44), g(12), x, y, 0) * 1.2; });
    Fill(img, g.E(19, 35.0, 5.6, 3.6), kCream);
    // Paws thrown up, eyes wide and turned to the bomb, mouth open.
    for (double px : {7.0, 31.0}) {
        Fill(img, g.E(px, 38.0, 2.6, 2.3), kOutline);
        Fill(img, g.E(px, 38.0, 1.7, 1.5), kPink);
    }
    for (double ex : {14.5, 23.5}) {
        Fill(img, g.E(ex, 29.0, 3.0, 3.4), kOutline);
        Fill(img, g.E(ex, 29.0, 2.2, 2.6), kWhite);
        Fill(img, g.C(ex + 0.9, 29.3, 1.25), kEye);
    }
    Fill(img, g.E(19, 33.2, 1.5, 1.1), kPink * 0.9);
    Fill(img, g.E(19, 37.2, 2.0, 2.2), kOutline);
    Fill(img, g.E(19, 37.5, 1.2, 1.3), Rgb{150, 40, 50});
}

}  // namespace

Image MakeIcon(int size) {
    Image img(size, size);
    const Grid g{size / 64.0};
    Tile(img, g);
    Bomb(img, g);
    Hamster(img, g);
    return img;
}

}  // namespace gen
