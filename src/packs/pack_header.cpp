#include "packs/pack_header.h"

#include <algorithm>

namespace {

void AppendU32(std::vector<unsigned char>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

}  // namespace

void AppendFileHeader(std::vector<unsigned char>& out, uint32_t levelCount) {
    const std::size_t start = out.size();
    out.insert(out.end(), kPackMagic.begin(), kPackMagic.end());
    out.resize(start + 16, 0);
    AppendU32(out, kPackVersion);
    AppendU32(out, levelCount);
    out.resize(start + kPackFileHeaderSize, 0);
}

void AppendLevelHeader(std::vector<unsigned char>& out, std::string_view name) {
    const std::size_t start = out.size();
    name = name.substr(0, kMaxLevelNameBytes);
    out.insert(out.end(), name.begin(), name.end());
    out.resize(start + kPackLevelHeaderSize, 0);
}

bool HasPackMagic(const unsigned char* fileHeader, std::size_t size) {
    if (size < kPackMagic.size() + 1) return false;
    return std::equal(kPackMagic.begin(), kPackMagic.end(), fileHeader) &&
           fileHeader[kPackMagic.size()] == 0;
}

std::string LevelNameFromHeader(const unsigned char* levelHeader, std::size_t size) {
    std::string name;
    for (std::size_t i = 0; i < std::min(size, kMaxLevelNameBytes) && levelHeader[i] != 0; ++i) {
        const unsigned char c = levelHeader[i];
        name += (c < 0x20 || c == 0x7F) ? '?' : static_cast<char>(c);
    }
    return name;
}
