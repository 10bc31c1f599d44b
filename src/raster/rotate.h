#pragma once
// A masked sprite turned about its centre, as Allegro's rotate_sprite draws
// it on 16-bit pictures: angle in 256ths of a turn, clockwise on the screen.
#include "raster/surface.h"

void DrawRotated(const Surface& to, const Surface& sprite, int x, int y, int angle);
