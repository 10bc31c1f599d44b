#include "raster/rotate.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace {

// cos of every 256th of a turn in 16.16 fixed point.
const std::array<int32_t, 256> kCos = [] {
    std::array<int32_t, 256> t{};
    for (int a = 0; a < 256; ++a) t[a] = static_cast<int32_t>(std::lround(std::cos(a * M_PI / 128.0) * 65536.0));
    return t;
}();

int32_t Cos(int a) { return kCos[a & 255]; }
int32_t Sin(int a) { return kCos[(a - 64) & 255]; }

}  // namespace

void DrawRotated(const Surface& to, const Surface& sprite, int x, int y, int angle) {
    const int64_t c = Cos(angle), s = Sin(angle);
    // The centre, in 16.16, of both the sprite and where it lands.
    const int64_t scx = static_cast<int64_t>(sprite.w) << 15, scy = static_cast<int64_t>(sprite.h) << 15;
    const int64_t dcx = (static_cast<int64_t>(x) << 16) + scx, dcy = (static_cast<int64_t>(y) << 16) + scy;
    // A point exactly between two sprite pixels takes the one nearer the
    // start of its target row, as Allegro's does (seen on every angle).
    const int towardX = c > 0, towardY = s < 0;
    // Every target pixel within the sprite's reach, mapped back into it.
    const int reach = static_cast<int>(std::ceil(std::hypot(sprite.w, sprite.h) / 2)) + 2;
    const int cx = static_cast<int>(dcx >> 16), cy = static_cast<int>(dcy >> 16);
    const int l = to.clip ? to.cl : 0, t = to.clip ? to.ct : 0, r = to.clip ? to.cr : to.w, b = to.clip ? to.cb : to.h;
    for (int py = std::max(t, cy - reach); py < std::min(b, cy + reach); ++py) {
        for (int px = std::max(l, cx - reach); px < std::min(r, cx + reach); ++px) {
            const int64_t ox = (static_cast<int64_t>(px) << 16) + 32768 - dcx;
            const int64_t oy = (static_cast<int64_t>(py) << 16) + 32768 - dcy;
            const int64_t sx = ((ox * c + oy * s) >> 16) + scx - towardX;
            const int64_t sy = ((oy * c - ox * s) >> 16) + scy - towardY;
            if (sx < 0 || sy < 0) continue;
            const int ix = static_cast<int>(sx >> 16), iy = static_cast<int>(sy >> 16);
            if (ix >= sprite.w || iy >= sprite.h) continue;
            const uint16_t v = sprite.At(ix, iy);
            if (v != kMaskColour) to.Put(px, py, v);
        }
    }
}
