#pragma once
// A picture being painted: RGBA in doubles, premultiplied alpha, colours on
// the 0..255 scale. Shapes are filled by sampling 4 x 4 points per pixel, so
// their edges are smooth before the picture is turned into BMP pixels.
#include <cstdint>
#include <type_traits>
#include <vector>

namespace gen {

struct Rgb {
    double r = 0, g = 0, b = 0;
};

Rgb operator+(Rgb a, Rgb b);
Rgb operator*(Rgb a, double k);
Rgb MixRgb(Rgb a, Rgb b, double t);
// Scales brightness: k < 1 darker, k > 1 lighter (towards white past 1).
Rgb Shade(Rgb c, double k);

struct PixelBox {
    int x0, y0, x1, y1;  // x1, y1 exclusive
};

class Image {
public:
    Image(int w, int h);
    int w() const { return w_; }
    int h() const { return h_; }

    // Paints c over pixel (x, y) with the given coverage (0..1); outside is ignored.
    void Blend(int x, int y, Rgb c, double coverage);
    // Replaces the pixel with an opaque colour.
    void Set(int x, int y, Rgb c);
    double Alpha(int x, int y) const { return a_[Index(x, y)]; }
    // The colour without its alpha (black where nothing was painted).
    Rgb Color(int x, int y) const;
    // Wipes a pixel back to nothing.
    void Clear(int x, int y);

private:
    int Index(int x, int y) const { return y * w_ + x; }
    int w_, h_;
    std::vector<double> r_, g_, b_, a_;
};

// Fills every pixel of box whose samples fall inside the shape; paint is an
// Rgb or a function (x, y) -> Rgb of the pixel centre.
template <class Inside, class Paint>
void FillIn(Image& img, PixelBox box, const Inside& inside, const Paint& paint, double opacity = 1.0) {
    if (box.x0 < 0) box.x0 = 0;
    if (box.y0 < 0) box.y0 = 0;
    if (box.x1 > img.w()) box.x1 = img.w();
    if (box.y1 > img.h()) box.y1 = img.h();
    for (int y = box.y0; y < box.y1; ++y) {
        for (int x = box.x0; x < box.x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    if (inside(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0)) ++hits;
            if (hits == 0) continue;
            Rgb c;
            if constexpr (std::is_same_v<Paint, Rgb>)
                c = paint;
            else
                c = paint(x + 0.5, y + 0.5);
            img.Blend(x, y, c, opacity * hits / 16.0);
        }
    }
}

// Same, with the box the shape reports.
template <class Shape, class Paint>
void Fill(Image& img, const Shape& shape, const Paint& paint, double opacity = 1.0) {
    FillIn(img, shape.Box(), shape, paint, opacity);
}

// Runs f(x, y, colour) on every pixel of an opaque picture and stores what it
// leaves in colour.
template <class F>
void ForEachPixel(Image& img, const F& f) {
    for (int y = 0; y < img.h(); ++y)
        for (int x = 0; x < img.w(); ++x) {
            Rgb c = img.Color(x, y);
            f(x, y, c);
            img.Set(x, y, c);
        }
}

// 24-bit pixels, top row first, blue-green-red per pixel as BMP stores them.
struct Pixels {
    int w = 0, h = 0;
    std::vector<uint8_t> bgr;
};

// For pictures copied opaquely: composited over black, with a fine ordered
// dither so gradients do not band when the game reduces them to 16 bits.
Pixels ToOpaquePixels(const Image& img);
// For sprites: a pixel more than half covered keeps its colour, the rest
// becomes the mask colour. Colours that 16-bit reduction would turn into the
// mask colour are nudged away from it.
Pixels ToMaskedPixels(const Image& img);


}  // namespace gen
