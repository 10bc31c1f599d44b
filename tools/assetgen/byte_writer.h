#pragma once
// Little-endian byte output for the file encoders.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace gen {

class ByteWriter {
public:
    void U8(uint8_t v) { bytes_.push_back(v); }
    void U16(uint16_t v) {
        U8(v & 0xFF);
        U8(v >> 8);
    }
    void U32(uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void Tag(const char* four) {
        for (const char* c = four; *c; ++c) U8(static_cast<uint8_t>(*c));
    }
    void Bytes(const uint8_t* data, size_t n) { bytes_.insert(bytes_.end(), data, data + n); }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
};

}  // namespace gen
