// The scene behind the play-field, 640 x 480: a deep cavern lit through an
// opening in its roof, with hazy rock formations in the distance, darker
// walls close by and a few glowing crystals. Kept dark and calm so the
// blocks, the hamster and the bombs stand out in front of it.
#include <cmath>
#include <vector>

#include "det_math.h"
#include "paint.h"
#include "pictures.h"
#include "shapes.h"

namespace gen {

namespace {

constexpr int kW = 640, kH = 480;
// Where the daylight falls in from, above the top edge.
constexpr double kLightX = 455, kLightY = -60;

struct Spike {
    double x, halfWidth, length;
};

// Rocky spikes hanging from (or rising to) a base line: for column x, how
// far the spikes reach from the base.
double SpikeReach(const std::vector<Spike>& spikes, double x) {
    double reach = 0.0;
    for (const Spike& s : spikes) {
        const double t = 1.0 - std::fabs(x - s.x) / s.halfWidth;
        if (t > 0.0) reach = std::fmax(reach, s.length * t * t * (1.6 - 0.6 * t));
    }
    return reach;
}

std::vector<Spike> MakeSpikes(uint64_t seed, int count, double widthLo, double widthHi, double lenLo, double lenHi) {
    Rng rng(seed);
    std::vector<Spike> out;
    for (int i = 0; i < count; ++i) {
        const double x = (i + rng.Range(0.1, 0.9)) * kW / count;
        out.push_back({x, rng.Range(widthLo, widthHi), rng.Range(lenLo, lenHi)});
    }
    return out;
}

// How much daylight reaches a point: a broad glow plus soft shafts.
double Daylight(double x, double y) {
    const double dx = x - kLightX, dy = y - kLightY;
    const double d2 = dx * dx + dy * dy;
    const double glow = Exp(-d2 / (2.0 * 210.0 * 210.0));
    // Shafts: bright and dark streaks by direction from the opening.
    const double spread = dx / dy;
    const double shafts = Clamp(Fractal1(spread * 5.0 + 3.0, 3, 41) * 1.6 + 0.15, 0.0, 1.0);
    const double fade = Exp(-dy / 330.0) * SmoothStep(-0.95, -0.35, -std::fabs(spread));
    return 0.55 * glow + 0.5 * shafts * fade;
}

// One band of rock between the viewer and the back wall: formations rising
// from the floor and hanging from the roof. Far bands are lighter and bluer
// (seen through haze), near ones darker.
struct RockBand {
    double floorY, floorAmp, floorScale;
    double roofY, roofAmp, roofScale;
    std::vector<Spike> rising, hanging;
    Rgb colour;
    double haze;  // how much daylight the rock takes up
    uint32_t seed;

    // Signed distance-like depth of a point inside the band's rock (> 0
    // inside), measured vertically from the nearest silhouette edge.
    double Inside(double x, double y, bool& fromFloor) const {
        // Jittered x gives the spikes ragged, rocky edges.
        const double jx = x + 2.5 * Noise2(x / 4.0, y / 4.0, seed + 1);
        const double floorTop = floorY - floorAmp * (Fractal1(x / floorScale, 4, seed + 2) + 0.5) - SpikeReach(rising, jx);
        const double roofBottom = roofY + roofAmp * (Fractal1(x / roofScale, 4, seed + 3) + 0.5) + SpikeReach(hanging, jx);
        const double belowFloor = y - floorTop, aboveRoof = roofBottom - y;
        fromFloor = belowFloor > aboveRoof;
        return std::fmax(belowFloor, aboveRoof);
    }
};

}  // namespace

Image MakeBackground() {
    Image img(kW, kH);
    const RockBand bands[] = {
        {350, 60, 110, 40, 40, 90, MakeSpikes(11, 9, 18, 40, 40, 140), MakeSpikes(12, 12, 10, 26, 30, 130),
         {50, 54, 84}, 0.55, 100},
        {410, 46, 80, 20, 30, 70, MakeSpikes(21, 7, 14, 30, 30, 110), MakeSpikes(22, 9, 8, 20, 20, 90),
         {32, 34, 54}, 0.3, 200},
        {462, 20, 50, 4, 18, 50, MakeSpikes(31, 5, 12, 26, 20, 60), MakeSpikes(32, 6, 6, 16, 14, 56),
         {14, 14, 22}, 0.12, 300},
    };

    ForEachPixel(img, [&](int px, int py, Rgb& c) {
        const double x = px + 0.5, y = py + 0.5;
        const double light = Daylight(x, y);
        // The back wall: night-blue at the top warming towards the floor,
        // with faint rock grain and sediment lines.
        const double grain = Fractal2(x / 60.0, y / 24.0, 4, 7);
        const double strata = Sin((y + 24.0 * grain) / 7.0);
        c = y < 260 ? VerticalGradient({22, 26, 52}, {44, 42, 72}, 0, 260, y)
                    : VerticalGradient({44, 42, 72}, {72, 54, 58}, 260, kH, y);
        c = Shade(c, 1.0 + 0.1 * grain + 0.035 * strata);
        c = c + Rgb{80, 92, 112} * light;

        for (const RockBand& band : bands) {
            bool fromFloor = false;
            const double depth = band.Inside(x, y, fromFloor);
            if (depth <= 0.0) continue;
            const double tex = Fractal2(x / 26.0, y / 26.0, 3, band.seed + 4);
            c = Shade(band.colour, 1.0 + 0.16 * tex);
            c = c + Rgb{70, 82, 104} * (light * band.haze);
            // A rim of daylight along the edge that faces up (floors) or
            // down (the roof catches less).
            const double rim = SmoothStep(3.0, 0.0, depth) * (fromFloor ? 0.4 : 0.18) * (0.3 + light);
            c = MixRgb(c, {150, 160, 196}, Clamp(rim, 0.0, 0.7));
            // Haze thickens towards each band's silhouette edge.
            c = MixRgb(c, band.colour * 1.2, 0.25 * SmoothStep(30.0, 0.0, depth) * band.haze);
        }
        // Darker corners draw the eye to the middle.
        const double vx = (x - kW / 2.0) / (kW / 2.0), vy = (y - kH / 2.0) / (kH / 2.0);
        c = Shade(c, 1.0 - 0.16 * (vx * vx + vy * vy));
    });

    // Glowing crystal clusters on the near rock.
    Rng rng(404);
    const Vec clusters[] = {{46, 470}, {180, 466}, {420, 472}, {604, 462}};
    for (const Vec& at : clusters) {
        Fill(img, Circle(at.x, at.y, 24), [&](double x, double y) {
            const double d = std::sqrt((x - at.x) * (x - at.x) + (y - at.y) * (y - at.y)) / 24.0;
            return img.Color(static_cast<int>(x), static_cast<int>(y)) + Rgb{8, 46, 50} * ((1.0 - d) * (1.0 - d));
        });
        for (int i = 0; i < 4; ++i) {
            const double lean = rng.Range(-0.7, 0.7), len = rng.Range(7, 15), half = rng.Range(1.8, 3.0);
            const Vec base{at.x + rng.Range(-7, 7), at.y + rng.Range(-2, 3)};
            const Vec tip{base.x + Sin(lean) * len, base.y - Cos(lean) * len};
            const Vec side{Cos(lean) * half, Sin(lean) * half};
            Fill(img, Polygon{{{base.x - side.x, base.y - side.y}, {tip.x, tip.y}, {base.x + side.x, base.y + side.y}}},
                 [&](double x, double) { return x < (base.x + tip.x) / 2 ? Rgb{130, 244, 230} : Rgb{40, 150, 150}; });
        }
    }
    // Motes of dust hanging in the light.
    for (int i = 0; i < 90; ++i) {
        const double x = rng.Range(200, 640), y = rng.Range(20, 420);
        const double light = Daylight(x, y);
        if (light < 0.25) continue;
        img.Blend(static_cast<int>(x), static_cast<int>(y), {210, 220, 240}, 0.6 * light);
    }
    return img;
}

}  // namespace gen
