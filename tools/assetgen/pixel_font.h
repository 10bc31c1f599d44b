#pragma once
// A 5 x 7 dot font for the game's few words. At scale 1 it draws crisp dots;
// scaled up, convex corners are rounded and stair steps filled, so large
// text reads as smooth strokes.
#include <string_view>

#include "image.h"

namespace gen {

constexpr int kFontCols = 5;
constexpr int kFontRows = 7;

// Width in pixels of text at the given scale (one dot column between letters).
double TextWidth(std::string_view text, double scale);

// Draws text with its top-left corner at (x, y); paint as in FillIn.
// Characters without a glyph draw as blanks.
template <class Paint>
void DrawText(Image& img, double x, double y, std::string_view text, double scale, const Paint& paint,
              bool smooth = true);

// Whether dot (col, row) of character c is set; false outside the glyph.
bool FontDot(char c, int col, int row);
// Inside-test for one character cell of the smooth renderer, in dot units.
bool SmoothGlyphInside(char c, double u, double v);

template <class Paint>
void DrawText(Image& img, double x, double y, std::string_view text, double scale, const Paint& paint,
              bool smooth) {
    double left = x;
    for (char c : text) {
        const double cx = left;
        auto inside = [&](double px, double py) {
            const double u = (px - cx) / scale, v = (py - y) / scale;
            if (!smooth) return FontDot(c, static_cast<int>(u + 8) - 8, static_cast<int>(v + 8) - 8);
            return SmoothGlyphInside(c, u, v);
        };
        const PixelBox box{static_cast<int>(cx) - 1, static_cast<int>(y) - 1,
                           static_cast<int>(cx + kFontCols * scale) + 2, static_cast<int>(y + kFontRows * scale) + 2};
        FillIn(img, box, inside, paint);
        left += (kFontCols + 1) * scale;
    }
}

}  // namespace gen
