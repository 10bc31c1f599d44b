#pragma once
// Points, boxes and the one rectangle test shared by the physics and the HUD.
#include <cstdint>

#include "sim/fixed.h"

template <typename T>
struct Point2d {
    T x{};
    T y{};

    Point2d& operator+=(const Point2d& o) {
        x += o.x;
        y += o.y;
        return *this;
    }
};

// Squared length of a velocity in px^2 as a Fixed: (vx*vx >> 8) + (vy*vy >> 8),
// each product in wrapping 32-bit arithmetic.
constexpr Fixed SquaredSpeed(const Point2d<Fixed>& v) {
    return Fixed::Raw(WrapAdd(WrapMul(v.x.raw, v.x.raw) >> 8, WrapMul(v.y.raw, v.y.raw) >> 8));
}

// A rectangle in whole pixels, 16-bit fields.
template <typename S>
struct Rect {
    S x = 0;
    S y = 0;
    S w = 0;
    S h = 0;
};
using Box = Rect<short>;

// True when b's far corner lies inside a grown by b's size: near edges
// inclusive, far edges exclusive. Deliberately asymmetric: a box standing on
// another does not touch it, one pressed against its underside does.
constexpr bool Overlaps(Box a, Box b) {
    const int32_t W = static_cast<short>(a.w + b.w);
    const int32_t H = static_cast<short>(a.h + b.h);
    const int32_t farX = b.x + b.w;
    const int32_t farY = b.y + b.h;
    return a.x <= farX && farX < a.x + W && a.y <= farY && farY < a.y + H;
}

// Ceiling for positive values, floor otherwise; turns sqrt distances into
// whole pixels rounded away from zero.
double RoundUp(double x);

// A positioned object: position from Point2d, collision box relative to the
// whole-pixel position.
template <typename T, typename S>
struct Obj2d : Point2d<T> {
    Rect<S> box{};

    // The box in world pixels with the object at (ax, ay); the additions wrap
    // in 16 bits like the box fields themselves.
    Rect<S> WorldBoxAt(T ax, T ay) const {
        return {static_cast<S>(ax.Whole() + box.x), static_cast<S>(ay.Whole() + box.y), box.w, box.h};
    }
    Rect<S> WorldBox() const { return WorldBoxAt(this->x, this->y); }
};
