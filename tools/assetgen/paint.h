#pragma once
// Shading helpers shared by the pictures.
#include "image.h"

namespace gen {

// A ball lit from the upper left: base colour with diffuse light, a bright
// glint and a faint bounce light along the lower right rim.
Rgb SphereShade(Rgb base, double cx, double cy, double r, double x, double y, double glint = 1.0);

// Vertical gradient between two colours over [y0, y1].
Rgb VerticalGradient(Rgb top, Rgb bottom, double y0, double y1, double y);

// A raised (or, with sunken, recessed) panel covering pixels x0..x1-1,
// y0..y1-1: face colour, light and dark rims of the given width.
void Bevel(Image& img, int x0, int y0, int x1, int y1, Rgb face, int rim, bool sunken);

}  // namespace gen
