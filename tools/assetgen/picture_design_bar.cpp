// The designer's bar, 640 x 82, in the HUD's metal: a button per tool with
// its key beneath, and two wells the designer writes its lines into.
#include <string>

#include "design/design_bar_layout.h"
#include "hud_style.h"
#include "paint.h"
#include "pictures.h"
#include "shapes.h"

namespace gen {

namespace {

using design::kBarHeight;
using design::kBarWidth;

Control ToControl(design::BarBox b) { return {b.x, b.y, b.w, b.h}; }

void BlockIcon(Image& img, double cx, double cy) {
    Ink(img, Rect{cx - 8, cy - 8, cx + 8, cy + 8}, Rgb{150, 154, 162});
    Fill(img, Rect{cx - 8, cy - 8, cx + 8, cy - 6}, Rgb{200, 204, 212});
}

void BrickIcon(Image& img, double cx, double cy) {
    Ink(img, Rect{cx - 8, cy - 8, cx + 8, cy + 8}, Rgb{176, 74, 52});
    const Rgb mortar{224, 204, 180};
    Fill(img, Rect{cx - 8, cy - 0.5, cx + 8, cy + 0.5}, mortar);
    Fill(img, Rect{cx - 0.5, cy - 8, cx + 0.5, cy}, mortar);
    Fill(img, Rect{cx - 4.5, cy, cx - 3.5, cy + 8}, mortar);
    Fill(img, Rect{cx + 3.5, cy, cx + 4.5, cy + 8}, mortar);
}

void HamsterIcon(Image& img, double cx, double cy) {
    Ink(img, Circle(cx - 6, cy - 7, 3), Rgb{214, 150, 86});
    Ink(img, Circle(cx + 6, cy - 7, 3), Rgb{214, 150, 86});
    Ink(img, Circle(cx, cy + 1, 8.5), Rgb{226, 164, 98});
    Fill(img, Circle(cx - 3, cy - 1, 1.3), kEdge);
    Fill(img, Circle(cx + 3, cy - 1, 1.3), kEdge);
}

void ExitIcon(Image& img, double cx, double cy) {
    const Rgb green{110, 226, 120};
    for (const Rect& r : {Rect{cx - 9, cy - 8, cx + 9, cy - 6}, Rect{cx - 9, cy + 6, cx + 9, cy + 8},
                          Rect{cx - 9, cy - 8, cx - 7, cy + 8}, Rect{cx + 7, cy - 8, cx + 9, cy + 8}})
        Ink(img, r, green);
    Ink(img, Polygon{{{cx - 4, cy - 3}, {cx + 3, cy}, {cx - 4, cy + 3}}}, green);
}

void FixedBombIcon(Image& img, double cx, double cy) {
    Ink(img, Polyline{{{cx + 3, cy - 5}, {cx + 6, cy - 9}, {cx + 9, cy - 9}}, 1.0}, Rgb{200, 180, 140});
    Ink(img, Circle(cx - 1, cy + 2, 7.5), Rgb{70, 96, 170});
    Fill(img, Circle(cx - 3.5, cy - 0.5, 2), Rgb{170, 190, 240});
}

void EraserIcon(Image& img, double cx, double cy) {
    Ink(img, Polygon{{{cx - 9, cy + 3}, {cx - 1, cy - 7}, {cx + 9, cy + 1}, {cx + 1, cy + 11}}}, Rgb{236, 140, 160});
    Fill(img, Polygon{{{cx - 9, cy + 3}, {cx - 5, cy - 2}, {cx + 5, cy + 6}, {cx + 1, cy + 11}}}, Rgb{120, 150, 220});
}

}  // namespace

Image MakeDesignBar() {
    Image img(kBarWidth, kBarHeight);
    ForEachPixel(img, [](int x, int y, Rgb& c) { c = Panel(x, y, kBarHeight); });
    for (int x = 0; x < kBarWidth; ++x) {
        img.Set(x, 0, {150, 160, 186});
        img.Set(x, 1, {104, 112, 134});
        img.Set(x, kBarHeight - 1, {12, 13, 18});
    }
    void (*const icons[design::kToolCount])(Image&, double, double) = {BlockIcon,  BrickIcon,     HamsterIcon,
                                                                       ExitIcon,   FixedBombIcon, EraserIcon};
    for (int k = 0; k < design::kToolCount; ++k) {
        const Control c = ToControl(design::ToolButton(k));
        Button(img, c);
        icons[k](img, c.CentreX(), c.CentreY());
        Label(img, std::string(1, design::kToolKeys[k]), c.CentreX(), design::kToolLabelY, kLabel);
    }
    Well(img, ToControl(design::kLevelWell), kWell, 2);
    Well(img, ToControl(design::kStatusWell), kWell, 2);
    for (double x : {4.0, kBarWidth - 5.0}) Rivet(img, x, 47.0);
    return img;
}

}  // namespace gen
