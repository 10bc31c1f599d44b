#pragma once
// A 16-bit picture as 8-bit red, green, blue and opaque alpha, each channel
// widened by repeating its top bits, as Allegro's getr/getg/getb do (and so
// as the simulator's screenshots hold it).
#include "raster/surface.h"

// out holds 4 * w * h bytes, row after row.
void ToRgba(const Surface& picture, unsigned char* out, PixelLayout layout = {});
