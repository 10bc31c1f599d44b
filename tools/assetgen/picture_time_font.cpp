// The fuse read-out's glyphs, 12 x 24 each, stacked downwards: the digits 0
// to 9 as glowing seven-segment figures, a dash the game never shows, and
// pie marks for one, two and three quarters of a second.
#include "det_math.h"
#include "pictures.h"
#include "shapes.h"

namespace gen {

namespace {

constexpr int kW = 12, kH = 24, kGlyphs = 14;

const Rgb kLit{255, 84, 36};
const Rgb kHot{255, 200, 160};
const Rgb kHalo{92, 14, 8};

// Segments a..g of a seven-segment figure, as which are lit per digit.
constexpr const char* kDigitSegments[10] = {"abcdef", "bc", "abdeg", "abcdg", "bcfg",
                                            "acdfg",  "acdefg", "abc", "abcdefg", "abcdfg"};

// A slightly slanted figure, like a real display.
Vec Slant(double x, double y) { return {x + (12.0 - y) * 0.09, y}; }

// One segment from p to q: a long hexagon with pointed ends.
Polygon Segment(Vec p, Vec q, double half, double top) {
    const double len = (q.x - p.x) + (q.y - p.y);  // segments are axis-aligned
    const bool horizontal = q.x - p.x > 0.0;
    const double gap = 0.55;
    std::vector<Vec> pts;
    auto at = [&](double along, double across) {
        const Vec v = horizontal ? Slant(p.x + along, p.y + across) : Slant(p.x + across, p.y + along);
        return Vec{v.x, v.y + top};
    };
    pts.push_back(at(gap, 0));
    pts.push_back(at(gap + half, -half));
    pts.push_back(at(len - gap - half, -half));
    pts.push_back(at(len - gap, 0));
    pts.push_back(at(len - gap - half, half));
    pts.push_back(at(gap + half, half));
    return {pts};
}

Polygon SegmentShape(char s, double half, double top) {
    const double l = 2.2, r = 9.6, t = 2.6, m = 12.0, b = 21.4;
    switch (s) {
        case 'a': return Segment({l, t}, {r, t}, half, top);
        case 'b': return Segment({r, t}, {r, m}, half, top);
        case 'c': return Segment({r, m}, {r, b}, half, top);
        case 'd': return Segment({l, b}, {r, b}, half, top);
        case 'e': return Segment({l, m}, {l, b}, half, top);
        case 'f': return Segment({l, t}, {l, m}, half, top);
        default: return Segment({l, m}, {r, m}, half, top);
    }
}

void DrawSegments(Image& img, const char* segments, double top) {
    // A dim halo first, then the lit bar with a hot core line.
    for (const char* s = segments; *s; ++s) Fill(img, SegmentShape(*s, 2.0, top), kHalo);
    for (const char* s = segments; *s; ++s) Fill(img, SegmentShape(*s, 1.25, top), kLit);
    for (const char* s = segments; *s; ++s) Fill(img, SegmentShape(*s, 0.45, top), kHot);
}

// A clock face with the first k quarters filled, clockwise from the top.
void DrawQuarters(Image& img, int k, double top) {
    const double cx = 6.0, cy = top + 12.0, r = 4.8;
    Fill(img, Circle(cx, cy, r + 1.3), kHalo);
    Fill(img, Ring{cx, cy, r - 1.0, r}, kLit);
    auto wedge = [&](double x, double y) {
        const double dx = x - cx, dy = y - cy;
        if (dx * dx + dy * dy > (r - 1.6) * (r - 1.6)) return false;
        if (k == 1) return dx >= 0 && dy < 0;
        if (k == 2) return dx >= 0;
        return !(dx < 0 && dy < 0);
    };
    FillIn(img, {0, static_cast<int>(top), kW, static_cast<int>(top) + kH}, wedge, kHot);
}

}  // namespace

Image MakeTimeFont() {
    Image img(kW, kH * kGlyphs);
    for (int d = 0; d < 10; ++d) DrawSegments(img, kDigitSegments[d], d * kH);
    DrawSegments(img, "g", 10 * kH);
    for (int k = 1; k <= 3; ++k) DrawQuarters(img, k, (10 + k) * kH);
    return img;
}

}  // namespace gen
