#include "raster/rgba.h"

void ToRgba(const Surface& picture, unsigned char* out, PixelLayout layout) {
    for (int y = 0; y < picture.h; ++y) {
        for (int x = 0; x < picture.w; ++x, out += 4) {
            const unsigned c = picture.At(x, y);
            const unsigned r = (c >> layout.redShift) & 31, g = (c >> 5) & 63, b = (c >> layout.blueShift) & 31;
            out[0] = static_cast<unsigned char>(r << 3 | r >> 2);
            out[1] = static_cast<unsigned char>(g << 2 | g >> 4);
            out[2] = static_cast<unsigned char>(b << 3 | b >> 2);
            out[3] = 255;
        }
    }
}
