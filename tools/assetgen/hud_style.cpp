#include "hud_style.h"

#include "det_math.h"
#include "paint.h"
#include "pixel_font.h"
#include "shapes.h"

namespace gen {

Rgb Panel(int x, int y, int height) {
    // Brushed metal: fine horizontal streaks over a gentle top-down gradient.
    const Rgb base = VerticalGradient({66, 73, 92}, {38, 42, 54}, 0, height, y);
    const double streak = 0.05 * Noise2(x / 45.0, y * 1.3, 3) + 0.025 * Noise2(x / 9.0, y * 2.1, 4);
    return Shade(base, 1.0 + streak);
}

void Outline(Image& img, const Control& c) {
    for (int x = c.Left(); x < c.Right(); ++x) {
        img.Set(x, c.Top(), kEdge);
        img.Set(x, c.Bottom() - 1, kEdge);
    }
    for (int y = c.Top(); y < c.Bottom(); ++y) {
        img.Set(c.Left(), y, kEdge);
        img.Set(c.Right() - 1, y, kEdge);
    }
}

void Button(Image& img, const Control& c) {
    Bevel(img, c.Left() + 1, c.Top() + 1, c.Right() - 1, c.Bottom() - 1, kButtonFace, 2, false);
    // A slight sheen on the upper half of the face.
    for (int y = c.Top() + 3; y < c.CentreY(); ++y)
        for (int x = c.Left() + 3; x < c.Right() - 3; ++x) img.Set(x, y, Shade(kButtonFace, 1.08));
    Outline(img, c);
}

void Well(Image& img, const Control& c, Rgb face, int rim) {
    Bevel(img, c.Left() + 1, c.Top() + 1, c.Right() - 1, c.Bottom() - 1, face, rim, true);
    Outline(img, c);
}

void Rivet(Image& img, double cx, double cy) {
    Fill(img, Circle(cx, cy, 2.6), kEdge);
    Fill(img, Circle(cx, cy, 1.9), [&](double x, double y) { return SphereShade({150, 158, 176}, cx, cy, 1.9, x, y); });
}

void Label(Image& img, std::string_view text, double centreX, int y, Rgb colour) {
    const int x = static_cast<int>(centreX - TextWidth(text, 1.0) / 2.0 + 0.5);
    DrawText(img, x + 1, y + 1, text, 1.0, Rgb{16, 18, 24}, false);
    DrawText(img, x, y, text, 1.0, colour, false);
}

}  // namespace gen
