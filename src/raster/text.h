#pragma once
// The screens' one line of text in the native game's 8 x 8 font
// (text_glyphs.inc, read from it by tools/font_table): the same pixels as
// Allegro's textout with no background. Text is UTF-8, as Allegro reads it;
// a code the font has no glyph for is drawn as '^', as Allegro draws it.
#include <cstdint>

#include "raster/surface.h"

constexpr int kTextGlyphSize = 8;

void DrawText(const Surface& to, const char* text, int x, int y, uint16_t colour);
int TextPixelsWide(const char* text);
