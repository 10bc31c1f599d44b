#include "raster/text.h"

#include <algorithm>
#include <iterator>

namespace {

struct Glyph {
    int code;
    uint8_t rows[kTextGlyphSize];
};

constexpr Glyph kGlyphs[] = {
#include "raster/text_glyphs.inc"
};

// The next code of a UTF-8 text, as Allegro's reader takes it: the lead
// byte says how many follow; a text cut short ends there.
int NextCode(const unsigned char*& p) {
    int code = *p++;
    int more = 0;
    if ((code & 0xE0) == 0xC0) code &= 0x1F, more = 1;
    else if ((code & 0xF0) == 0xE0) code &= 0x0F, more = 2;
    else if ((code & 0xF8) == 0xF0) code &= 0x07, more = 3;
    for (; more > 0 && *p; --more) code = code << 6 | (*p++ & 0x3F);
    return code;
}

const uint8_t* GlyphOf(int code) {
    const auto less = [](const Glyph& g, int c) { return g.code < c; };
    const Glyph* g = std::lower_bound(std::begin(kGlyphs), std::end(kGlyphs), code, less);
    if (g == std::end(kGlyphs) || g->code != code) g = std::lower_bound(std::begin(kGlyphs), std::end(kGlyphs), '^', less);
    return g->rows;
}

}  // namespace

void DrawText(const Surface& to, const char* text, int x, int y, uint16_t colour) {
    const int l = to.clip ? to.cl : 0, t = to.clip ? to.ct : 0;
    const int r = to.clip ? to.cr : to.w, b = to.clip ? to.cb : to.h;
    for (const auto* p = reinterpret_cast<const unsigned char*>(text); *p; x += kTextGlyphSize) {
        const uint8_t* glyph = GlyphOf(NextCode(p));
        if (x >= r || x + kTextGlyphSize <= l) continue;
        for (int row = 0; row < kTextGlyphSize; ++row) {
            const int py = y + row;
            if (py < t || py >= b || !glyph[row]) continue;
            for (int col = 0; col < kTextGlyphSize; ++col) {
                const int px = x + col;
                if (glyph[row] >> (7 - col) & 1 && px >= l && px < r) to.Put(px, py, colour);
            }
        }
    }
}

int TextPixelsWide(const char* text) {
    int width = 0;
    for (const auto* p = reinterpret_cast<const unsigned char*>(text); *p; NextCode(p)) width += kTextGlyphSize;
    return width;
}
