#pragma once
// The look the HUD and the design bar share: brushed metal, raised buttons,
// recessed wells, shadowed icons and labels.
#include <string_view>

#include "image.h"

namespace gen {

struct Control {
    int x, y, w, h;
    // The pixels the control covers, as a half-open box.
    int Left() const { return x + 1; }
    int Top() const { return y + 1; }
    int Right() const { return x + w + 1; }
    int Bottom() const { return y + h + 1; }
    double CentreX() const { return x + 1 + w / 2.0; }
    double CentreY() const { return y + 1 + h / 2.0; }
};

inline const Rgb kEdge{10, 11, 16};
inline const Rgb kButtonFace{98, 110, 136};
inline const Rgb kWell{24, 26, 36};
inline const Rgb kInk{236, 240, 250};
inline const Rgb kLabel{172, 182, 204};

// The panel's metal at (x, y) of a panel height rows tall.
Rgb Panel(int x, int y, int height);
void Outline(Image& img, const Control& c);
// A raised button: dark outline on the control's border, bevel inside.
void Button(Image& img, const Control& c);
// A recessed well, for slots, read-outs and tracks.
void Well(Image& img, const Control& c, Rgb face, int rim);
void Rivet(Image& img, double cx, double cy);
// Small dot-font text centred on centreX, with a drop shadow.
void Label(Image& img, std::string_view text, double centreX, int y, Rgb colour);

// An icon stroke with a dark drop shadow for contrast on the button face.
template <class Shape>
void Ink(Image& img, const Shape& shape, Rgb colour) {
    auto shadow = [&](double x, double y) { return shape(x - 1.0, y - 1.0); };
    const PixelBox b = shape.Box();
    FillIn(img, {b.x0, b.y0, b.x1 + 1, b.y1 + 1}, shadow, kEdge, 0.7);
    Fill(img, shape, colour);
}

}  // namespace gen
