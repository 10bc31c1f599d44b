// The particle strips, four 16 x 16 frames stacked downwards: a spark that
// fades and shrinks, a dust puff that grows and thins, and a tumbling brick
// fragment. Sparks and dust are added onto the picture at 1/8 strength, so
// they are painted as bright as possible.
#include <cmath>

#include "det_math.h"
#include "paint.h"
#include "pictures.h"
#include "shapes.h"

namespace gen {

namespace {

constexpr int kFrame = 16;
constexpr int kFrames = 4;

// Hot white at 1, through yellow and orange to deep red at 0.
Rgb FireRamp(double t) {
    const Rgb stops[] = {{170, 30, 10}, {255, 110, 20}, {255, 200, 60}, {255, 250, 200}, {255, 255, 255}};
    t = Clamp(t, 0.0, 1.0) * 4.0;
    const int i = t >= 4.0 ? 3 : static_cast<int>(t);
    return MixRgb(stops[i], stops[i + 1], t - i);
}

}  // namespace

Image MakeFlareSheet() {
    Image img(kFrame, kFrame * kFrames);
    for (int f = 0; f < kFrames; ++f) {
        const double size = 1.0 - 0.24 * f;  // shrinks frame by frame
        const double heat = 1.0 - 0.22 * f;   // and cools from white to red
        const double oy = f * kFrame;
        for (int y = 0; y < kFrame; ++y)
            for (int x = 0; x < kFrame; ++x) {
                const double dx = (x + 0.5 - 8.0) / size, dy = (y + 0.5 - 8.0) / size;
                const double d2 = dx * dx + dy * dy;
                double glow = Exp(-d2 / 9.0) + 0.5 * Exp(-d2 / 30.0);
                // Four long rays and four short diagonal ones.
                const double axial = Exp(-dx * dx * 2.0) * Exp(-std::fabs(dy) / 3.2) +
                                     Exp(-dy * dy * 2.0) * Exp(-std::fabs(dx) / 3.2);
                const double u = (dx + dy) * 0.7071, v = (dx - dy) * 0.7071;
                const double diagonal = Exp(-u * u * 2.5) * Exp(-std::fabs(v) / 1.8) +
                                        Exp(-v * v * 2.5) * Exp(-std::fabs(u) / 1.8);
                const double intensity = glow + 1.0 * axial + 0.5 * diagonal;
                if (intensity < 0.16) continue;
                img.Set(x, static_cast<int>(oy) + y, FireRamp(intensity * heat * 0.75));
            }
    }
    return img;
}

Image MakeDustSheet() {
    Image img(kFrame, kFrame * kFrames);
    for (int f = 0; f < kFrames; ++f) {
        const double radius = 3.2 + 1.0 * f;        // grows
        const double density = 1.0 - 0.2 * f;       // and thins out
        const double brightness = 1.0 - 0.17 * f;   // and fades
        for (int y = 0; y < kFrame; ++y)
            for (int x = 0; x < kFrame; ++x) {
                const double dx = x + 0.5 - 8.0, dy = y + 0.5 - 8.0;
                const double d = std::sqrt(dx * dx + dy * dy) / radius;
                // Billowy edge: the radius wobbles with the noise.
                const double n = Fractal2(x / 3.0, (y + f * 5) / 3.0, 3, 77);
                const double body = 1.0 - d + 0.3 * n;
                if (body <= 0.0) continue;
                // Later frames break up into wisps with holes.
                const double hole = Noise2(x / 2.1 + f * 3.3, y / 2.1, 91) * 0.5 + 0.5;
                if (hole > density + 0.25 && body < 0.6) continue;
                const double k = Clamp(0.55 + 0.6 * body, 0.0, 1.0) * brightness;
                img.Set(x, f * kFrame + y, Shade({236, 218, 186}, k));
            }
    }
    return img;
}

Image MakeBricksSheet() {
    Image img(kFrame, kFrame * kFrames);
    const Rgb outline{44, 18, 12};
    // An irregular chunk of brick with a strip of mortar on one edge.
    const std::vector<Vec> chunk = {{-5.0, -3.4}, {4.2, -3.8}, {5.4, 0.6}, {3.6, 3.6}, {-4.4, 3.0}, {-5.6, 0.2}};
    const std::vector<Vec> mortar = {{-5.0, -3.4}, {4.2, -3.8}, {4.5, -2.3}, {-5.2, -1.8}};
    for (int f = 0; f < kFrames; ++f) {
        // Half a turn over the four frames: the chunk is much the same upside down.
        const double angle = f * kPi / 4 + 0.2;
        const Vec centre{8.0, f * kFrame + 8.0};
        auto place = [&](const std::vector<Vec>& pts, double grow) {
            Polygon p;
            for (const Vec& v : pts) p.points.push_back(Rotate({centre.x + v.x * grow, centre.y + v.y * grow}, centre, angle));
            return p;
        };
        Fill(img, place(chunk, 1.22), outline);
        Fill(img, place(chunk, 1.0), [&](double x, double y) {
            // Light falls from above whatever the chunk's turn.
            const double k = 1.15 - 0.05 * (y - centre.y) + 0.1 * Noise2(x / 2, y / 2, 5);
            return Shade({176, 70, 44}, k);
        });
        Fill(img, place(mortar, 1.0), Rgb{186, 174, 156});
    }
    return img;
}

}  // namespace gen
