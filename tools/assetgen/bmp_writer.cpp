#include "bmp_writer.h"

#include "byte_writer.h"

namespace gen {

std::vector<uint8_t> EncodeBmp(const Pixels& p) {
    const uint32_t row = (static_cast<uint32_t>(p.w) * 3 + 3) & ~3U;  // rows pad to 4 bytes
    const uint32_t imageBytes = row * static_cast<uint32_t>(p.h);
    ByteWriter out;
    out.Tag("BM");
    out.U32(14 + 40 + imageBytes);
    out.U32(0);        // reserved
    out.U32(14 + 40);  // offset of the pixels
    out.U32(40);       // BITMAPINFOHEADER
    out.U32(static_cast<uint32_t>(p.w));
    out.U32(static_cast<uint32_t>(p.h));  // positive: bottom row first
    out.U16(1);                           // planes
    out.U16(24);                          // bits per pixel
    out.U32(0);                           // no compression
    out.U32(imageBytes);
    out.U32(2835);  // 72 dpi
    out.U32(2835);
    out.U32(0);  // no palette
    out.U32(0);
    for (int y = p.h - 1; y >= 0; --y) {
        const uint8_t* src = &p.bgr[static_cast<size_t>(y) * p.w * 3];
        out.Bytes(src, static_cast<size_t>(p.w) * 3);
        for (uint32_t pad = p.w * 3; pad < row; ++pad) out.U8(0);
    }
    return out.Take();
}

}  // namespace gen
