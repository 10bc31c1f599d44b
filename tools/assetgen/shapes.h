#pragma once
// Shapes as inside-tests over continuous picture coordinates (pixel (x, y)
// covers [x, x+1) x [y, y+1)), each with the pixel box it can touch.
#include <vector>

#include "image.h"

namespace gen {

struct Vec {
    double x = 0, y = 0;
};

PixelBox BoundsOf(double x0, double y0, double x1, double y1);

struct Rect {
    double x0, y0, x1, y1;
    bool operator()(double x, double y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
    PixelBox Box() const { return BoundsOf(x0, y0, x1, y1); }
};

struct Ellipse {
    double cx, cy, rx, ry;
    bool operator()(double x, double y) const {
        const double dx = (x - cx) / rx, dy = (y - cy) / ry;
        return dx * dx + dy * dy <= 1.0;
    }
    PixelBox Box() const { return BoundsOf(cx - rx, cy - ry, cx + rx, cy + ry); }
};

inline Ellipse Circle(double cx, double cy, double r) { return {cx, cy, r, r}; }

// A ring between two radii.
struct Ring {
    double cx, cy, inner, outer;
    bool operator()(double x, double y) const {
        const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
        return d2 <= outer * outer && d2 >= inner * inner;
    }
    PixelBox Box() const { return BoundsOf(cx - outer, cy - outer, cx + outer, cy + outer); }
};

struct RoundRect {
    double x0, y0, x1, y1, r;
    bool operator()(double x, double y) const;
    PixelBox Box() const { return BoundsOf(x0, y0, x1, y1); }
};

// A thick line with round ends.
struct Capsule {
    Vec a, b;
    double r;
    bool operator()(double x, double y) const;
    PixelBox Box() const;
};

// A thick line through several points, round at every joint.
struct Polyline {
    std::vector<Vec> points;
    double r;
    bool operator()(double x, double y) const;
    PixelBox Box() const;
};

// Filled by the even-odd rule.
struct Polygon {
    std::vector<Vec> points;
    bool operator()(double x, double y) const;
    PixelBox Box() const;
};

// Distance from p to the segment a-b.
double SegmentDistance(Vec p, Vec a, Vec b);
// Points on an arc of an ellipse, angles in radians, y downwards.
std::vector<Vec> Arc(double cx, double cy, double rx, double ry, double from, double to, int steps);
Vec Rotate(Vec p, Vec centre, double angle);

}  // namespace gen
