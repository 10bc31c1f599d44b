#include "paint.h"

#include <cmath>

#include "det_math.h"

namespace gen {

Rgb SphereShade(Rgb base, double cx, double cy, double r, double x, double y, double glint) {
    const double nx = (x - cx) / r, ny = (y - cy) / r;
    const double d2 = nx * nx + ny * ny;
    const double nz = d2 < 1.0 ? std::sqrt(1.0 - d2) : 0.0;
    // Light from the upper left and a little in front.
    const double lx = -0.48, ly = -0.58, lz = 0.66;
    const double diffuse = Clamp(nx * lx + ny * ly + nz * lz, 0.0, 1.0);
    Rgb c = base * (0.28 + 0.85 * diffuse);
    // Glint: the reflection of the light, sharpened by repeated squaring.
    double s = Clamp(2.0 * diffuse * nz - lz, 0.0, 1.0);
    for (int i = 0; i < 5; ++i) s *= s;
    c = MixRgb(c, {255, 255, 255}, Clamp(s * glint, 0.0, 1.0));
    // Bounce light on the rim facing away from the light.
    const double rim = Clamp((nx * 0.6 + ny * 0.8) * (1.0 - nz), 0.0, 1.0);
    c = c + Shade(base, 1.3) * (0.25 * rim);
    return {Clamp(c.r, 0, 255), Clamp(c.g, 0, 255), Clamp(c.b, 0, 255)};
}

Rgb VerticalGradient(Rgb top, Rgb bottom, double y0, double y1, double y) {
    return MixRgb(top, bottom, Clamp((y - y0) / (y1 - y0), 0.0, 1.0));
}

void Bevel(Image& img, int x0, int y0, int x1, int y1, Rgb face, int rim, bool sunken) {
    const Rgb light = Shade(face, 1.45), dark = Shade(face, 0.45);
    const Rgb topLeft = sunken ? dark : light, bottomRight = sunken ? light : dark;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const int fromLeft = x - x0, fromTop = y - y0, fromRight = x1 - 1 - x, fromBottom = y1 - 1 - y;
            Rgb c = face;
            // Diagonal corners split between the two rims.
            if (fromTop < rim && fromTop <= fromRight) c = topLeft;
            else if (fromLeft < rim && fromLeft <= fromBottom) c = topLeft;
            else if (fromBottom < rim || fromRight < rim) c = bottomRight;
            img.Set(x, y, c);
        }
}

}  // namespace gen
