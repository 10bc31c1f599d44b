// The designer's bar, 640 x 82, in the HUD's metal: a button per tool and
// per command with its key beneath, and the well the designer writes its
// lines into.
#include <string>

#include "design/design_bar_layout.h"
#include "hud_style.h"
#include "paint.h"
#include "pictures.h"
#include "pixel_font.h"
#include "shapes.h"

namespace gen {

namespace {

using design::kBarHeight;
using design::kBarWidth;

Control ToControl(design::BarBox b) { return {b.x, b.y, b.w, b.h}; }

const Rgb kPaper{226, 230, 238};
const Rgb kArrow{120, 200, 255};
const Rgb kGreen{110, 226, 120};
const Rgb kYellow{255, 214, 90};

void BlockIcon(Image& img, double cx, double cy) {
    Ink(img, Rect{cx - 7, cy - 7, cx + 7, cy + 7}, Rgb{150, 154, 162});
    Fill(img, Rect{cx - 7, cy - 7, cx + 7, cy - 5}, Rgb{200, 204, 212});
}

void BrickIcon(Image& img, double cx, double cy) {
    Ink(img, Rect{cx - 7, cy - 7, cx + 7, cy + 7}, Rgb{176, 74, 52});
    const Rgb mortar{224, 204, 180};
    Fill(img, Rect{cx - 7, cy - 0.5, cx + 7, cy + 0.5}, mortar);
    Fill(img, Rect{cx - 0.5, cy - 7, cx + 0.5, cy}, mortar);
    Fill(img, Rect{cx - 4, cy, cx - 3, cy + 7}, mortar);
    Fill(img, Rect{cx + 3, cy, cx + 4, cy + 7}, mortar);
}

void HamsterIcon(Image& img, double cx, double cy) {
    Ink(img, Circle(cx - 5, cy - 6, 2.5), Rgb{214, 150, 86});
    Ink(img, Circle(cx + 5, cy - 6, 2.5), Rgb{214, 150, 86});
    Ink(img, Circle(cx, cy + 1, 7.5), Rgb{226, 164, 98});
    Fill(img, Circle(cx - 2.5, cy - 1, 1.2), kEdge);
    Fill(img, Circle(cx + 2.5, cy - 1, 1.2), kEdge);
}

void ExitIcon(Image& img, double cx, double cy) {
    for (const Rect& r : {Rect{cx - 8, cy - 7, cx + 8, cy - 5}, Rect{cx - 8, cy + 5, cx + 8, cy + 7},
                          Rect{cx - 8, cy - 7, cx - 6, cy + 7}, Rect{cx + 6, cy - 7, cx + 8, cy + 7}})
        Ink(img, r, kGreen);
    Ink(img, Polygon{{{cx - 3, cy - 3}, {cx + 3, cy}, {cx - 3, cy + 3}}}, kGreen);
}

void FixedBombIcon(Image& img, double cx, double cy) {
    Ink(img, Polyline{{{cx + 3, cy - 4}, {cx + 5, cy - 8}, {cx + 8, cy - 8}}, 1.0}, Rgb{200, 180, 140});
    Ink(img, Circle(cx - 1, cy + 2, 6.5), Rgb{70, 96, 170});
    Fill(img, Circle(cx - 3, cy, 1.8), Rgb{170, 190, 240});
}

void EraserIcon(Image& img, double cx, double cy) {
    Ink(img, Polygon{{{cx - 8, cy + 3}, {cx - 1, cy - 6}, {cx + 8, cy + 1}, {cx + 1, cy + 10}}}, Rgb{236, 140, 160});
    Fill(img, Polygon{{{cx - 8, cy + 3}, {cx - 4.5, cy - 1.5}, {cx + 4.5, cy + 5.5}, {cx + 1, cy + 10}}},
         Rgb{120, 150, 220});
}

// A dashed frame with the mouse's arrow in its corner.
void SelectIcon(Image& img, double cx, double cy) {
    for (int i = 0; i < 4; ++i) {
        const double a = -8 + 4.5 * i;
        Ink(img, Rect{cx + a, cy - 8, cx + a + 2.5, cy - 7}, kPaper);
        Ink(img, Rect{cx - 8, cy + a, cx - 7, cy + a + 2.5}, kPaper);
        if (i < 2) {
            Ink(img, Rect{cx + a, cy + 5, cx + a + 2.5, cy + 6}, kPaper);
            Ink(img, Rect{cx + 5, cy + a, cx + 6, cy + a + 2.5}, kPaper);
        }
    }
    Ink(img, Polygon{{{cx, cy - 1}, {cx + 9, cy + 5}, {cx + 5, cy + 6}, {cx + 7, cy + 10}, {cx + 5.5, cy + 10.5},
                      {cx + 3.5, cy + 6.5}, {cx + 0.5, cy + 9}}},
         Rgb{255, 255, 255});
}

// An arc over the top ending in a head pointing down: back (undo) or,
// mirrored, forward (redo).
void TurnArrow(Image& img, double cx, double cy, bool mirror) {
    std::vector<Vec> arc = Arc(cx + 1, cy + 2, 6, 5.5, 0.6, -3.0, 14);
    const Vec end = arc.back();
    std::vector<Vec> head = {{end.x - 4, end.y - 1}, {end.x + 3.5, end.y - 1}, {end.x - 0.5, end.y + 5}};
    if (mirror) {
        for (Vec& v : arc) v.x = 2 * cx - v.x;
        for (Vec& v : head) v.x = 2 * cx - v.x;
    }
    Ink(img, Polyline{arc, 1.3}, kArrow);
    Ink(img, Polygon{head}, kArrow);
}

void UndoIcon(Image& img, double cx, double cy) { TurnArrow(img, cx, cy, false); }
void RedoIcon(Image& img, double cx, double cy) { TurnArrow(img, cx, cy, true); }

void CutIcon(Image& img, double cx, double cy) {
    Ink(img, Capsule{{cx - 5, cy - 8}, {cx + 3, cy + 3}, 1.0}, kPaper);
    Ink(img, Capsule{{cx + 5, cy - 8}, {cx - 3, cy + 3}, 1.0}, kPaper);
    Ink(img, Ring{cx - 4, cy + 6, 1.5, 3.2}, Rgb{236, 120, 110});
    Ink(img, Ring{cx + 4, cy + 6, 1.5, 3.2}, Rgb{236, 120, 110});
}

void Sheet(Image& img, double x0, double y0, double x1, double y1) {
    Ink(img, Rect{x0, y0, x1, y1}, kPaper);
    Fill(img, Rect{x0 + 1, y0 + 1, x1 - 1, y1 - 1}, Rgb{180, 190, 210});
    for (double y = y0 + 3; y < y1 - 2; y += 3) Fill(img, Rect{x0 + 2.5, y, x1 - 2.5, y + 1}, kPaper);
}

void CopyIcon(Image& img, double cx, double cy) {
    Sheet(img, cx - 8, cy - 8, cx + 3, cy + 4);
    Sheet(img, cx - 3, cy - 3, cx + 8, cy + 9);
}

void PasteIcon(Image& img, double cx, double cy) {
    Ink(img, Rect{cx - 8, cy - 7, cx + 6, cy + 9}, Rgb{176, 126, 80});
    Ink(img, Rect{cx - 4, cy - 9, cx + 2, cy - 5}, Rgb{200, 204, 212});
    Sheet(img, cx - 2, cy - 2, cx + 8, cy + 9);
}

void LevelArrow(Image& img, double cx, double cy, bool forward) {
    const double s = forward ? 1 : -1;
    Ink(img, Polygon{{{cx - s * 4, cy - 7}, {cx + s * 5, cy}, {cx - s * 4, cy + 7}}}, kArrow);
    Ink(img, Rect{forward ? cx + 5 : cx - 7, cy - 7, forward ? cx + 7 : cx - 5, cy + 7}, kArrow);
}

void PreviousIcon(Image& img, double cx, double cy) { LevelArrow(img, cx, cy, false); }
void NextIcon(Image& img, double cx, double cy) { LevelArrow(img, cx, cy, true); }

void Plus(Image& img, double cx, double cy, Rgb colour) {
    Ink(img, Rect{cx - 4, cy - 1, cx + 4, cy + 1}, colour);
    Ink(img, Rect{cx - 1, cy - 4, cx + 1, cy + 4}, colour);
}

void NewLevelIcon(Image& img, double cx, double cy) {
    Sheet(img, cx - 8, cy - 8, cx + 4, cy + 8);
    Plus(img, cx + 4, cy + 4, kGreen);
}

void RenameIcon(Image& img, double cx, double cy) {
    DrawText(img, cx - 8, cy - 7, "AB", 1, kPaper, false);
    Ink(img, Rect{cx - 9, cy + 4, cx + 8, cy + 5}, kPaper);
    Ink(img, Capsule{{cx + 2, cy + 8}, {cx + 8, cy + 2}, 1.2}, kYellow);
}

void AddBombIcon(Image& img, double cx, double cy) {
    Ink(img, Polyline{{{cx + 1, cy - 3}, {cx + 3, cy - 7}, {cx + 6, cy - 7}}, 1.0}, Rgb{200, 180, 140});
    Ink(img, Circle(cx - 3, cy + 2, 6), Rgb{200, 60, 50});
    Fill(img, Circle(cx - 5, cy, 1.6), Rgb{250, 170, 160});
    Plus(img, cx + 5, cy + 5, kGreen);
}

void SolveIcon(Image& img, double cx, double cy) {
    Ink(img, Ring{cx - 2, cy - 2, 3.5, 6}, kPaper);
    Ink(img, Capsule{{cx + 3, cy + 3}, {cx + 8, cy + 8}, 1.8}, Rgb{176, 126, 80});
}

void PlayIcon(Image& img, double cx, double cy) {
    Ink(img, Polygon{{{cx - 5, cy - 8}, {cx + 8, cy}, {cx - 5, cy + 8}}}, kGreen);
}

void FindingsIcon(Image& img, double cx, double cy) {
    Ink(img, Polygon{{{cx, cy - 9}, {cx + 9, cy + 8}, {cx - 9, cy + 8}}}, kYellow);
    Fill(img, Rect{cx - 1, cy - 3, cx + 1, cy + 3}, kEdge);
    Fill(img, Rect{cx - 1, cy + 4.5, cx + 1, cy + 6.5}, kEdge);
}

void HelpIcon(Image& img, double cx, double cy) {
    Ink(img, Polyline{Arc(cx, cy - 3, 4.5, 4.5, 3.4, 7.3, 12), 1.4}, kPaper);
    Ink(img, Capsule{{cx + 1.5, cy + 0.5}, {cx, cy + 3}, 1.4}, kPaper);
    Ink(img, Circle(cx, cy + 7, 1.5), kPaper);
}

void SaveIcon(Image& img, double cx, double cy) {
    Ink(img, Polygon{{{cx - 8, cy - 8}, {cx + 6, cy - 8}, {cx + 8, cy - 6}, {cx + 8, cy + 8}, {cx - 8, cy + 8}}},
        Rgb{70, 96, 170});
    Fill(img, Rect{cx - 5, cy - 8, cx + 4, cy - 2}, Rgb{200, 204, 212});
    Fill(img, Rect{cx + 1, cy - 7, cx + 3, cy - 3}, Rgb{70, 96, 170});
    Fill(img, Rect{cx - 5, cy + 1, cx + 5, cy + 8}, kPaper);
}

using Icon = void (*)(Image&, double, double);

void Buttons(Image& img, design::BarBox (*place)(int), const Icon* icons, int count,
             std::string (*label)(int)) {
    for (int k = 0; k < count; ++k) {
        const Control c = ToControl(place(k));
        Button(img, c);
        icons[k](img, c.CentreX(), c.CentreY());
        Label(img, label(k), c.CentreX(), design::kButtonLabelY, kLabel);
    }
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
    const Icon tools[design::kToolCount] = {BlockIcon,     BrickIcon,  HamsterIcon, ExitIcon,
                                            FixedBombIcon, EraserIcon, SelectIcon};
    Buttons(img, design::ToolButton, tools, design::kToolCount,
            [](int k) { return std::string(1, design::kToolKeys[k]); });
    const Icon commands[design::kCommandCount] = {UndoIcon,     RedoIcon,    CutIcon,     CopyIcon,  PasteIcon,
                                                  PreviousIcon, NextIcon,    NewLevelIcon, RenameIcon, AddBombIcon,
                                                  SolveIcon,    PlayIcon,    FindingsIcon, HelpIcon,  SaveIcon};
    Buttons(img, design::CommandButton, commands, design::kCommandCount,
            [](int k) { return std::string(design::kCommandLabels[k]); });
    Well(img, ToControl(design::kTextWell), kWell, 2);
    return img;
}

}  // namespace gen
