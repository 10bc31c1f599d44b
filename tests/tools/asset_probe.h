#pragma once
// Reading the generated assets back the way the game does (Allegro, 16-bit
// colour) and looking at their pixels and samples.
#include <allegro.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "support/headless.h"

struct BitmapDeleter {
    void operator()(BITMAP* b) const { destroy_bitmap(b); }
};
using BitmapPtr = std::unique_ptr<BITMAP, BitmapDeleter>;

struct SampleDeleter {
    void operator()(SAMPLE* s) const { destroy_sample(s); }
};
using SamplePtr = std::unique_ptr<SAMPLE, SampleDeleter>;

inline BitmapPtr LoadAssetBitmap(const std::string& file) {
    return BitmapPtr(load_bitmap((AssetDir() + "/" + file).c_str(), nullptr));
}

inline SamplePtr LoadAssetSample(const std::string& file) {
    return SamplePtr(load_wav((AssetDir() + "/" + file).c_str()));
}

struct Colour {
    int r, g, b;
};

inline Colour ColourAt(BITMAP* b, int x, int y) {
    const int c = getpixel(b, x, y);
    const int depth = bitmap_color_depth(b);
    return {getr_depth(depth, c), getg_depth(depth, c), getb_depth(depth, c)};
}

inline int Difference(Colour a, Colour b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b); }

inline bool IsMask(BITMAP* b, int x, int y) { return getpixel(b, x, y) == bitmap_mask_color(b); }

inline int CountMask(BITMAP* b) {
    int n = 0;
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x) n += IsMask(b, x, y);
    return n;
}

// Samples as values in [-1, 1]; Allegro keeps 16-bit data unsigned.
inline std::vector<double> SampleValues(const SAMPLE* s) {
    std::vector<double> out(s->len);
    const auto* data = static_cast<const unsigned short*>(s->data);
    for (unsigned long i = 0; i < s->len; ++i) out[i] = (static_cast<int>(data[i]) - 0x8000) / 32768.0;
    return out;
}
