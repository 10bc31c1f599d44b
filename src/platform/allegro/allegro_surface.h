#pragma once
// An Allegro memory bitmap seen as the game's own drawing sees a picture: its
// rows and its clip rectangle, shared, not copied.
#include "raster/surface.h"

struct BITMAP;

Surface SurfaceOf(BITMAP* bitmap);
// Two 16-bit memory bitmaps in the 5-6-5 layout the game's own drawing
// writes (red and blue may swap: every formula treats them alike).
bool OwnDrawingFits(BITMAP* target, BITMAP* source);
