#include "ico_writer.h"

#include "byte_writer.h"

namespace gen {

std::vector<uint8_t> EncodeIco(const std::vector<std::pair<int, std::vector<uint8_t>>>& sizedPngs) {
    ByteWriter out;
    out.U16(0);  // reserved
    out.U16(1);  // an icon, not a cursor
    out.U16(static_cast<uint16_t>(sizedPngs.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(sizedPngs.size());
    for (const auto& [size, png] : sizedPngs) {
        out.U8(static_cast<uint8_t>(size >= 256 ? 0 : size));  // 0 stands for 256
        out.U8(static_cast<uint8_t>(size >= 256 ? 0 : size));
        out.U8(0);  // no palette
        out.U8(0);
        out.U16(1);   // planes
        out.U16(32);  // bits per pixel
        out.U32(static_cast<uint32_t>(png.size()));
        out.U32(offset);
        offset += static_cast<uint32_t>(png.size());
    }
    for (const auto& sized : sizedPngs) out.Bytes(sized.second.data(), sized.second.size());
    return out.Take();
}

}  // namespace gen
