#include "platform/allegro/allegro_bmp.h"

#include <cstdint>

#include "platform/allegro/allegro_picture.h"

namespace {

void Put16(std::vector<unsigned char>& out, unsigned v) {
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

void Put32(std::vector<unsigned char>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

std::vector<unsigned char> EncodeBmp(Picture* picture) {
    BITMAP* bitmap = Bitmap(picture);
    const int depth = bitmap_color_depth(bitmap);
    const uint32_t w = static_cast<uint32_t>(bitmap->w), h = static_cast<uint32_t>(bitmap->h);
    const uint32_t pad = (4 - (w * 3) % 4) % 4;
    const uint32_t imageSize = (w * 3 + pad) * h;
    std::vector<unsigned char> out;
    out.reserve(54 + imageSize);
    // File header, then the 40-byte info header; 0xB12 pixels a metre is 72 dpi.
    Put16(out, 0x4D42);  // "BM"
    Put32(out, 54 + imageSize);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, w);
    Put32(out, h);
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, imageSize);
    Put32(out, 0xB12);
    Put32(out, 0xB12);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = bitmap->h - 1; y >= 0; --y) {
        for (int x = 0; x < bitmap->w; ++x) {
            // Allegro's own conversion of the pixel to 8 bits a channel.
            const int c = getpixel(bitmap, x, y);
            out.push_back(static_cast<unsigned char>(getb_depth(depth, c)));
            out.push_back(static_cast<unsigned char>(getg_depth(depth, c)));
            out.push_back(static_cast<unsigned char>(getr_depth(depth, c)));
        }
        out.insert(out.end(), pad, 0);
    }
    return out;
}
