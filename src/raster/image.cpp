#include "raster/image.h"

#include <cstring>

uint16_t Surface::At(int x, int y) const {
    uint16_t v;
    std::memcpy(&v, rows[y] + 2 * x, sizeof v);
    return v;
}

void Surface::Put(int x, int y, uint16_t colour) const { std::memcpy(rows[y] + 2 * x, &colour, sizeof colour); }

Image::Image(int width, int height)
    : w(width), h(height), pixels_(static_cast<size_t>(width) * static_cast<size_t>(height)) {
    Point();
}

Image::Image(const Image& other) : w(other.w), h(other.h), pixels_(other.pixels_) { Point(); }

Image& Image::operator=(const Image& other) {
    if (this == &other) return *this;
    w = other.w;
    h = other.h;
    pixels_ = other.pixels_;
    Point();
    return *this;
}

void Image::Point() {
    rows_.resize(static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) rows_[static_cast<size_t>(y)] = reinterpret_cast<unsigned char*>(Row(y));
}

Surface Image::View() const {
    Surface s;
    s.rows = rows_.data();
    s.w = w;
    s.h = h;
    s.cr = w;
    s.cb = h;
    return s;
}

namespace {

uint32_t Le(const std::vector<unsigned char>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + static_cast<size_t>(i)];
    return v;
}

}  // namespace

bool DecodeBmp(const std::vector<unsigned char>& b, Image& image, std::string& error, PixelLayout layout) {
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') {
        error = "not a BMP file";
        return false;
    }
    const uint32_t offset = Le(b, 10, 4);
    const uint32_t infoSize = Le(b, 14, 4);
    const int32_t width = static_cast<int32_t>(Le(b, 18, 4));
    const int32_t height = static_cast<int32_t>(Le(b, 22, 4));
    const uint32_t bits = Le(b, 28, 2);
    const uint32_t compression = infoSize >= 20 ? Le(b, 30, 4) : 0;
    if (infoSize < 40 || (bits != 24 && bits != 32) || (compression != 0 && !(bits == 32 && compression == 3))) {
        error = "only uncompressed 24- and 32-bit BMP files are read";
        return false;
    }
    // A negative height stores the rows top-down.
    const bool topDown = height < 0;
    const int64_t h = topDown ? -static_cast<int64_t>(height) : height;
    if (width <= 0 || h <= 0 || width > 16384 || h > 16384) {
        error = "the picture's size is out of range";
        return false;
    }
    const size_t bytesPerPixel = bits / 8;
    const size_t stride = (static_cast<size_t>(width) * bytesPerPixel + 3) & ~size_t{3};
    if (offset > b.size() || b.size() - offset < stride * static_cast<size_t>(h)) {
        error = "the file ends before its pixels do";
        return false;
    }
    image = Image(width, static_cast<int>(h));
    for (int y = 0; y < image.h; ++y) {
        const size_t fileRow = topDown ? static_cast<size_t>(y) : static_cast<size_t>(image.h - 1 - y);
        const unsigned char* p = b.data() + offset + fileRow * stride;
        uint16_t* out = image.Row(y);
        for (int x = 0; x < width; ++x, p += bytesPerPixel) out[x] = PackColour(p[2], p[1], p[0], layout);
    }
    return true;
}
