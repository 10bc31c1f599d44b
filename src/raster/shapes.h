#pragma once
// Copies, outlines and lines on 16-bit pictures, the pixels Allegro's blit,
// rect and line give for the same calls.
#include <cstdint>

#include "raster/surface.h"

// w x h pixels from (sx, sy) of from to (dx, dy) of to, cut to from's size
// and to's clip rectangle.
void Copy(const Surface& from, const Surface& to, int sx, int sy, int dx, int dy, int w, int h);
// The outline of the rectangle with corners (x1, y1) and (x2, y2), both drawn.
void DrawRectangle(const Surface& to, int x1, int y1, int x2, int y2, uint16_t colour);
// Both ends drawn; one pixel for every step along the longer axis.
void DrawLine(const Surface& to, int x1, int y1, int x2, int y2, uint16_t colour);
