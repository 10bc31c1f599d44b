// Writes the 8 x 8 text font the native game draws its screens with
// (Allegro's own, through textout) as a table of rows, so that the web
// build, which has no Allegro, writes the very same pixels:
//   zandrove-font-table > src/raster/text_glyphs.inc   (scripts/web_font.sh)
// Every code Allegro's font has a glyph for is kept, in order; Allegro
// draws any other as its '^'.
#include <allegro.h>

#include <cstdio>
#include <string>
#include <utility>

namespace {

std::string Utf8(int code) {
    std::string out;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

}  // namespace

int main() {
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "zandrove-font-table: Allegro does not start: %s\n", allegro_error);
        return 1;
    }
    BITMAP* cell = create_bitmap_ex(8, 16, 16);
    if (!cell || text_height(font) != 8) {
        std::fprintf(stderr, "zandrove-font-table: no 8-pixel font to read\n");
        return 1;
    }
    std::printf("// Made by zandrove-font-table (scripts/web_font.sh): the native game's\n"
                "// 8 x 8 text font, each code it has a glyph for, in order, with its\n"
                "// rows, a byte a row, the leftmost pixel the highest bit. Every glyph is\n"
                "// 8 pixels wide.\n");
    auto rows = [&](int code) {
        const std::string text = Utf8(code);
        clear_to_color(cell, 0);
        textout_ex(cell, font, text.c_str(), 0, 0, 1, 0);
        std::string out;
        for (int y = 0; y < 8; ++y) {
            int row = 0;
            for (int x = 0; x < 8; ++x) row |= (getpixel(cell, x, y) == 1) << (7 - x);
            out += static_cast<char>(row);
        }
        return std::pair(out, text_length(font, text.c_str()));
    };
    const std::string missing = rows('^').first;
    for (int code = 32; code < 0x10000; ++code) {
        const auto [glyph, width] = rows(code);
        if (code != '^' && glyph == missing) continue;
        if (width != 8) {
            std::fprintf(stderr, "zandrove-font-table: code %d is not 8 pixels wide\n", code);
            return 1;
        }
        std::printf("{0x%04x, {", code);
        for (int y = 0; y < 8; ++y) std::printf("0x%02x%s", static_cast<unsigned char>(glyph[y]), y < 7 ? ", " : "");
        std::printf("}},\n");
    }
    destroy_bitmap(cell);
    return 0;
}
