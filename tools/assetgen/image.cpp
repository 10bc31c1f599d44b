#include "image.h"

#include "det_math.h"

namespace gen {

Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Rgb operator*(Rgb a, double k) { return {a.r * k, a.g * k, a.b * k}; }
Rgb MixRgb(Rgb a, Rgb b, double t) { return {Mix(a.r, b.r, t), Mix(a.g, b.g, t), Mix(a.b, b.b, t)}; }

Rgb Shade(Rgb c, double k) {
    if (k <= 1.0) return c * k;
    return MixRgb(c, {255, 255, 255}, Clamp(k - 1.0, 0.0, 1.0));
}

Image::Image(int w, int h) : w_(w), h_(h), r_(w * h), g_(w * h), b_(w * h), a_(w * h) {}

void Image::Blend(int x, int y, Rgb c, double coverage) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_ || coverage <= 0.0) return;
    if (coverage > 1.0) coverage = 1.0;
    const int i = Index(x, y);
    const double keep = 1.0 - coverage;
    r_[i] = c.r * coverage + r_[i] * keep;
    g_[i] = c.g * coverage + g_[i] * keep;
    b_[i] = c.b * coverage + b_[i] * keep;
    a_[i] = coverage + a_[i] * keep;
}

void Image::Set(int x, int y, Rgb c) {
    const int i = Index(x, y);
    r_[i] = c.r;
    g_[i] = c.g;
    b_[i] = c.b;
    a_[i] = 1.0;
}

void Image::Clear(int x, int y) {
    const int i = Index(x, y);
    r_[i] = g_[i] = b_[i] = a_[i] = 0.0;
}

Rgb Image::Color(int x, int y) const {
    const int i = Index(x, y);
    if (a_[i] <= 0.0) return {};
    return {r_[i] / a_[i], g_[i] / a_[i], b_[i] / a_[i]};
}

namespace {

uint8_t ToByte(double v) { return static_cast<uint8_t>(Clamp(v + 0.5, 0.0, 255.0)); }

// 4 x 4 Bayer matrix: thresholds 0..15.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

void Put(Pixels& p, int x, int y, uint8_t r, uint8_t g, uint8_t b) {
    const int i = (y * p.w + x) * 3;
    p.bgr[i] = b;
    p.bgr[i + 1] = g;
    p.bgr[i + 2] = r;
}

}  // namespace

Pixels ToOpaquePixels(const Image& img) {
    Pixels p{img.w(), img.h(), std::vector<uint8_t>(img.w() * img.h() * 3)};
    for (int y = 0; y < img.h(); ++y)
        for (int x = 0; x < img.w(); ++x) {
            const Rgb c = img.Color(x, y) * img.Alpha(x, y);
            // 16-bit colour keeps 5 bits of red and blue, 6 of green, by
            // truncation: adding a threshold of up to one step dithers it
            // and keeps the average colour.
            const double t = (kBayer[y & 3][x & 3] + 0.5) / 16.0;
            uint8_t r = ToByte(c.r + t * 8.0);
            uint8_t g = ToByte(c.g + t * 4.0);
            uint8_t b = ToByte(c.b + t * 8.0);
            // An opaque picture must never show the mask colour either.
            if (r >= 248 && g < 4 && b >= 248) g = 4;
            Put(p, x, y, r, g, b);
        }
    return p;
}

Pixels ToMaskedPixels(const Image& img) {
    Pixels p{img.w(), img.h(), std::vector<uint8_t>(img.w() * img.h() * 3)};
    for (int y = 0; y < img.h(); ++y)
        for (int x = 0; x < img.w(); ++x) {
            if (img.Alpha(x, y) <= 0.5) {
                Put(p, x, y, 255, 0, 255);
                continue;
            }
            const Rgb c = img.Color(x, y);
            uint8_t r = ToByte(c.r), g = ToByte(c.g), b = ToByte(c.b);
            if (r >= 248 && g < 4 && b >= 248) g = 4;
            Put(p, x, y, r, g, b);
        }
    return p;
}

}  // namespace gen
