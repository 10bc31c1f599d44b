#include "raster/shapes.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

struct Clip {
    int l, t, r, b;  // r and b one past
};

Clip ClipOf(const Surface& s) { return s.clip ? Clip{s.cl, s.ct, s.cr, s.cb} : Clip{0, 0, s.w, s.h}; }

void Plot(const Surface& to, const Clip& c, int x, int y, uint16_t colour) {
    if (x >= c.l && x < c.r && y >= c.t && y < c.b) to.Put(x, y, colour);
}

void Row(const Surface& to, const Clip& c, int x1, int x2, int y, uint16_t colour) {
    if (y < c.t || y >= c.b) return;
    for (int x = std::max(x1, c.l); x <= std::min(x2, c.r - 1); ++x) to.Put(x, y, colour);
}

void Column(const Surface& to, const Clip& c, int x, int y1, int y2, uint16_t colour) {
    if (x < c.l || x >= c.r) return;
    for (int y = std::max(y1, c.t); y <= std::min(y2, c.b - 1); ++y) to.Put(x, y, colour);
}

}  // namespace

void Copy(const Surface& from, const Surface& to, int sx, int sy, int dx, int dy, int w, int h) {
    // Cut to the source first, then to the target's clip rectangle, moving
    // both corners together.
    if (sx < 0) w += sx, dx -= sx, sx = 0;
    if (sy < 0) h += sy, dy -= sy, sy = 0;
    w = std::min(w, from.w - sx);
    h = std::min(h, from.h - sy);
    const Clip c = ClipOf(to);
    if (dx < c.l) w -= c.l - dx, sx += c.l - dx, dx = c.l;
    if (dy < c.t) h -= c.t - dy, sy += c.t - dy, dy = c.t;
    w = std::min(w, c.r - dx);
    h = std::min(h, c.b - dy);
    if (w <= 0 || h <= 0) return;
    for (int y = 0; y < h; ++y) std::memmove(to.rows[dy + y] + 2 * dx, from.rows[sy + y] + 2 * sx, 2 * static_cast<size_t>(w));
}

void DrawRectangle(const Surface& to, int x1, int y1, int x2, int y2, uint16_t colour) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    const Clip c = ClipOf(to);
    Row(to, c, x1, x2, y1, colour);
    Row(to, c, x1, x2, y2, colour);
    Column(to, c, x1, y1, y2, colour);
    Column(to, c, x2, y1, y2, colour);
}

void DrawLine(const Surface& to, int x1, int y1, int x2, int y2, uint16_t colour) {
    const Clip c = ClipOf(to);
    const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    const int stepX = x2 >= x1 ? 1 : -1, stepY = y2 >= y1 ? 1 : -1;
    // The error starts a little under half a step, so that a point exactly
    // between two pixels goes on in the row (or column) it is in, as
    // Allegro's line does.
    if (dx >= dy) {
        int error = (dx - 1) / 2;
        for (int i = 0, x = x1, y = y1; i <= dx; ++i, x += stepX) {
            Plot(to, c, x, y, colour);
            error -= dy;
            if (error < 0) y += stepY, error += dx;
        }
    } else {
        int error = (dy - 1) / 2;
        for (int i = 0, x = x1, y = y1; i <= dy; ++i, y += stepY) {
            Plot(to, c, x, y, colour);
            error -= dx;
            if (error < 0) x += stepX, error += dy;
        }
    }
}

uint16_t Blend16(uint16_t colour, uint16_t under, int alpha) {
    // Both 5-6-5 pixels spread so that each channel has room below the next.
    const uint32_t n = alpha ? static_cast<uint32_t>(alpha + 1) / 8 : 0;
    const uint32_t x = (colour | static_cast<uint32_t>(colour) << 16) & 0x7E0F81F;
    const uint32_t y = (under | static_cast<uint32_t>(under) << 16) & 0x7E0F81F;
    const uint32_t result = ((x - y) * n / 32 + y) & 0x7E0F81F;
    return static_cast<uint16_t>((result & 0xFFFF) | (result >> 16));
}

namespace {

template <class Paint>
void EachInRectangle(const Surface& to, int x1, int y1, int x2, int y2, Paint paint) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    const Clip c = ClipOf(to);
    for (int y = std::max(y1, c.t); y <= std::min(y2, c.b - 1); ++y)
        for (int x = std::max(x1, c.l); x <= std::min(x2, c.r - 1); ++x) paint(x, y);
}

}  // namespace

void FillRectangle(const Surface& to, int x1, int y1, int x2, int y2, uint16_t colour) {
    EachInRectangle(to, x1, y1, x2, y2, [&](int x, int y) { to.Put(x, y, colour); });
}

void ShadeRectangle(const Surface& to, int x1, int y1, int x2, int y2, uint16_t colour, int alpha) {
    EachInRectangle(to, x1, y1, x2, y2, [&](int x, int y) { to.Put(x, y, Blend16(colour, to.At(x, y), alpha)); });
}

void DrawShadedSprite(const Surface& to, const Surface& sprite, int x, int y, int alpha) {
    EachInRectangle(to, x, y, x + sprite.w - 1, y + sprite.h - 1, [&](int px, int py) {
        const uint16_t c = sprite.At(px - x, py - y);
        if (c != kMaskColour) to.Put(px, py, Blend16(c, to.At(px, py), alpha));
    });
}
