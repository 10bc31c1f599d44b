#include "shapes.h"

#include <cmath>

#include "det_math.h"

namespace gen {

PixelBox BoundsOf(double x0, double y0, double x1, double y1) {
    return {static_cast<int>(std::floor(x0)) - 1, static_cast<int>(std::floor(y0)) - 1,
            static_cast<int>(std::ceil(x1)) + 1, static_cast<int>(std::ceil(y1)) + 1};
}

bool RoundRect::operator()(double x, double y) const {
    if (x < x0 || x >= x1 || y < y0 || y >= y1) return false;
    const double cx = Clamp(x, x0 + r, x1 - r);
    const double cy = Clamp(y, y0 + r, y1 - r);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

double SegmentDistance(Vec p, Vec a, Vec b) {
    const double vx = b.x - a.x, vy = b.y - a.y;
    const double len2 = vx * vx + vy * vy;
    double t = len2 > 0 ? ((p.x - a.x) * vx + (p.y - a.y) * vy) / len2 : 0.0;
    t = Clamp(t, 0.0, 1.0);
    const double dx = p.x - (a.x + t * vx), dy = p.y - (a.y + t * vy);
    return std::sqrt(dx * dx + dy * dy);
}

bool Capsule::operator()(double x, double y) const { return SegmentDistance({x, y}, a, b) <= r; }

PixelBox Capsule::Box() const {
    return BoundsOf(std::fmin(a.x, b.x) - r, std::fmin(a.y, b.y) - r, std::fmax(a.x, b.x) + r,
                    std::fmax(a.y, b.y) + r);
}

namespace {
PixelBox BoxOfPoints(const std::vector<Vec>& points, double pad) {
    double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
    for (const Vec& p : points) {
        x0 = std::fmin(x0, p.x);
        y0 = std::fmin(y0, p.y);
        x1 = std::fmax(x1, p.x);
        y1 = std::fmax(y1, p.y);
    }
    return BoundsOf(x0 - pad, y0 - pad, x1 + pad, y1 + pad);
}
}  // namespace

bool Polyline::operator()(double x, double y) const {
    if (points.size() == 1) return SegmentDistance({x, y}, points[0], points[0]) <= r;
    for (size_t i = 1; i < points.size(); ++i)
        if (SegmentDistance({x, y}, points[i - 1], points[i]) <= r) return true;
    return false;
}

PixelBox Polyline::Box() const { return BoxOfPoints(points, r); }

bool Polygon::operator()(double x, double y) const {
    bool inside = false;
    const size_t n = points.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const Vec& a = points[i];
        const Vec& b = points[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
}

PixelBox Polygon::Box() const { return BoxOfPoints(points, 0.0); }

std::vector<Vec> Arc(double cx, double cy, double rx, double ry, double from, double to, int steps) {
    std::vector<Vec> out;
    for (int i = 0; i <= steps; ++i) {
        const double a = from + (to - from) * i / steps;
        out.push_back({cx + rx * Cos(a), cy + ry * Sin(a)});
    }
    return out;
}

Vec Rotate(Vec p, Vec c, double angle) {
    const double s = Sin(angle), k = Cos(angle);
    const double dx = p.x - c.x, dy = p.y - c.y;
    return {c.x + dx * k - dy * s, c.y + dx * s + dy * k};
}

}  // namespace gen
