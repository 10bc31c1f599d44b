#include "png_writer.h"

#include <png.h>

#include <csetjmp>
#include <stdexcept>

#include "det_math.h"

namespace gen {

namespace {

void Append(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void Flush(png_structp) {}

uint8_t ToByte(double v) { return static_cast<uint8_t>(Clamp(v + 0.5, 0.0, 255.0)); }

// libpng reports errors by longjmp, so this frame holds nothing with a
// destructor and changes nothing of its own after setjmp.
bool WriteRows(png_bytep* rows, int w, int h, std::vector<uint8_t>* out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, Append, Flush);
    png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_set_rows(png, info, rows);
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::vector<uint8_t> EncodePng(const Image& img) {
    const int w = img.w(), h = img.h();
    std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double a = img.Alpha(x, y);
            const Rgb c = img.Color(x, y);
            uint8_t* p = &pixels[(static_cast<size_t>(y) * w + x) * 4];
            p[0] = ToByte(c.r);
            p[1] = ToByte(c.g);
            p[2] = ToByte(c.b);
            p[3] = ToByte(a * 255.0);
            if (p[3] == 0) p[0] = p[1] = p[2] = 0;  // nothing there: no stray colour to compress
        }
    std::vector<png_bytep> rows(h);
    for (int y = 0; y < h; ++y) rows[y] = &pixels[static_cast<size_t>(y) * w * 4];

    std::vector<uint8_t> out;
    if (!WriteRows(rows.data(), w, h, &out)) throw std::runtime_error("libpng could not encode an icon");
    return out;
}

}  // namespace gen
