#pragma once
// A 16-bit picture seen through its rows, the one shape every drawing call of
// this folder works on: the game's own images, and on the native game also
// Allegro's memory bitmaps, whose rows and clip rectangle are read as they are.
#include <cstdint>

struct Surface {
    unsigned char* const* rows = nullptr;  // row y starts at rows[y], two bytes a pixel
    int w = 0;
    int h = 0;
    // Drawing stays inside [cl, cr) x [ct, cb) when clip is on; with it off
    // the caller promises to draw inside the picture.
    bool clip = true;
    int cl = 0, ct = 0, cr = 0, cb = 0;

    uint16_t At(int x, int y) const;
    void Put(int x, int y, uint16_t colour) const;
};

// The colour the game's 16-bit pictures use for "nothing here".
constexpr uint16_t kMaskColour = 0xF81F;

// Where red and blue sit in a 5-6-5 pixel, green always in the middle: red
// on top in the web build; Allegro chooses per platform (without a display,
// blue on top).
struct PixelLayout {
    int redShift = 11;
    int blueShift = 0;
};

// 8-bit channels cut to 5, 6 and 5 bits.
constexpr uint16_t PackColour(int r, int g, int b, PixelLayout layout = {}) {
    return static_cast<uint16_t>((r >> 3) << layout.redShift | (g >> 2) << 5 | (b >> 3) << layout.blueShift);
}
