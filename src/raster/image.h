#pragma once
// A 16-bit picture that owns its pixels, and the game's BMP files read into one.
#include <cstdint>
#include <string>
#include <vector>

#include "raster/surface.h"

class Image {
public:
    Image() = default;
    Image(int w, int h);  // every pixel 0 (black)
    Image(const Image& other);
    Image& operator=(const Image& other);

    int w = 0;
    int h = 0;
    Surface View() const;
    uint16_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(w); }
    const uint16_t* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(w); }

private:
    void Point();
    std::vector<uint16_t> pixels_;
    std::vector<unsigned char*> rows_;
};

// An uncompressed BMP of 24 or 32 bits a pixel (top-down or bottom-up), each
// pixel cut to 16 bits as the game's 16-bit screen keeps it. False, with the
// reason in error, for anything else.
bool DecodeBmp(const std::vector<unsigned char>& bytes, Image& image, std::string& error, PixelLayout layout = {});
