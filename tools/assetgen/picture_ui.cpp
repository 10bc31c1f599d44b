// The mouse pointer, the slider knob and the level-complete banner.
#include "det_math.h"
#include "paint.h"
#include "pictures.h"
#include "pixel_font.h"
#include "shapes.h"

namespace gen {

Image MakeCursor() {
    // Drawn dot by dot, like a system pointer; the tip is the top-left pixel,
    // the point the game puts on the mouse position.
    static const char* const kArrow[] = {
        "X..........", "XX.........", "XoX........", "XooX.......", "XoooX......", "XooooX.....", "XoooooX....",
        "XooooooX...", "XoooooooX..", "XooooooooX.", "XoooooXXXXX", "XooXooX....", "XoX.XooX...", "XX..XooX...",
        "X....XooX..", ".....XooX..", "......XooX.", "......XooX.", ".......XX..",
    };
    const int rows = static_cast<int>(sizeof(kArrow) / sizeof(kArrow[0]));
    Image img(12, rows + 1);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; kArrow[y][x]; ++x) {
            if (kArrow[y][x] == 'X') img.Set(x, y, {12, 12, 18});
            if (kArrow[y][x] == 'o') img.Set(x, y, MixRgb({255, 255, 255}, {196, 206, 224}, y / double(rows)));
        }
    return img;
}

Image MakeSlider() {
    // A 9 x 24 knob: its middle column sits on the fuse position and it
    // spans the slider track's height.
    Image img(9, 24);
    const Rgb outline{30, 22, 14};
    Fill(img, RoundRect{0, 0, 9, 24, 3.0}, outline);
    Fill(img, RoundRect{1, 1, 8, 23, 2.2}, [](double x, double y) {
        const Rgb brass = VerticalGradient({255, 226, 120}, {206, 128, 30}, 1, 23, y);
        // Rounded sides: lighter left, darker right.
        return Shade(brass, 1.0 + 0.25 * (4.5 - x) / 4.5 * (x < 4.5 ? 1.0 : 1.6));
    });
    // Grip ridges across the middle.
    for (int y : {9, 12, 15}) {
        for (int x = 2; x <= 6; ++x) {
            img.Set(x, y, {120, 70, 20});
            img.Set(x, y + 1, {255, 240, 170});
        }
    }
    return img;
}

namespace {

Polygon Star(double cx, double cy, double outer, double inner) {
    Polygon p;
    for (int i = 0; i < 10; ++i) {
        const double a = -kPi / 2 + i * kPi / 5;
        const double r = i % 2 ? inner : outer;
        p.points.push_back({cx + r * Cos(a), cy + r * Sin(a)});
    }
    return p;
}

}  // namespace

Image MakeComplete() {
    const int w = 424, h = 88;
    Image img(w, h);
    const Rgb outline{24, 14, 10};
    const Rgb gold{236, 176, 52};
    // Plaque: dark outline, gold frame, deep blue face.
    Fill(img, RoundRect{0, 0, double(w), double(h), 14}, outline);
    Fill(img, RoundRect{2, 2, w - 2.0, h - 2.0, 12},
         [&](double, double y) { return VerticalGradient(Shade(gold, 1.35), Shade(gold, 0.7), 2, h - 2, y); });
    Fill(img, RoundRect{7, 7, w - 7.0, h - 7.0, 8}, outline);
    Fill(img, RoundRect{8, 8, w - 8.0, h - 8.0, 7}, [&](double x, double y) {
        Rgb c = VerticalGradient({40, 62, 138}, {16, 22, 62}, 8, h - 8, y);
        // A soft sheen across the upper half.
        const double sheen = SmoothStep(30, 14, y) * 0.25;
        c = MixRgb(c, {120, 160, 240}, sheen);
        return c + Rgb{4, 4, 8} * Fractal2(x / 9.0, y / 9.0, 2, 31);
    });
    // Stars either side of the text.
    for (double cx : {25.0, w - 25.0}) {
        Fill(img, Star(cx, h / 2.0, 12.5, 5.4), outline);
        Fill(img, Star(cx, h / 2.0, 10, 4.2),
             [&](double, double y) { return VerticalGradient({255, 250, 190}, {240, 150, 30}, 32, 56, y); });
    }
    // The words: a drop shadow, a dark outline, then a gold gradient face.
    const char* const text = "LEVEL COMPLETE";
    const double scale = 4.0;
    const double tx = (w - TextWidth(text, scale)) / 2.0, ty = (h - kFontRows * scale) / 2.0;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (dx * dx + dy * dy <= 5) DrawText(img, tx + dx + 2, ty + dy + 3, text, scale, Rgb{8, 10, 28});
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (dx * dx + dy * dy <= 5) DrawText(img, tx + dx, ty + dy, text, scale, outline);
    DrawText(img, tx, ty, text, scale, [&](double, double y) {
        return y < ty + 12 ? VerticalGradient({255, 252, 214}, {255, 220, 90}, ty, ty + 12, y)
                           : VerticalGradient({255, 206, 64}, {224, 120, 20}, ty + 12, ty + 28, y);
    });
    return img;
}

}  // namespace gen
