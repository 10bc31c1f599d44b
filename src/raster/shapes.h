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
// The rectangle filled, corners included (rectfill).
void FillRectangle(const Surface& to, int x1, int y1, int x2, int y2, uint16_t colour);
// The same blended as Allegro's translucent mode with set_trans_blender:
// alpha 0 leaves the target, 255 is the colour.
void ShadeRectangle(const Surface& to, int x1, int y1, int x2, int y2, uint16_t colour, int alpha);
// A masked sprite blended over the target the same way (draw_trans_sprite).
void DrawShadedSprite(const Surface& to, const Surface& sprite, int x, int y, int alpha);
// Allegro's 16-bit translucent blend of colour over under at alpha.
uint16_t Blend16(uint16_t colour, uint16_t under, int alpha);
