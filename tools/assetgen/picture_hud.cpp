// The HUD panel, 640 x 82: as short as it can be while its upper half, all
// that shows in run mode, still holds every control (rows 9..40), so the
// lowest rows of a level stay visible while editing. The lower half carries
// labels and key hints.
//
// Each control covers exactly the pixels its click test accepts: for a
// control box (x, y, w, h) those are columns x+1 .. x+w and rows y+1 .. y+h.
#include <string>
#include <string_view>

#include "det_math.h"
#include "hud_style.h"
#include "paint.h"
#include "pictures.h"
#include "pixel_font.h"
#include "shapes.h"
#include "game/asset_files.h"

namespace gen {

namespace {

constexpr int kWidth = kScreenWidth, kHeight = kHudHeight;

constexpr Control kMode{8, 8, 32, 32};
constexpr Control kRestart{585, 8, 48, 32};
constexpr Control kMinus{360, 16, 16, 16};
constexpr Control kPlus{472, 16, 16, 16};
constexpr Control kSlider{384, 16, 79, 16};
constexpr Control Slot(int k) { return {104 + 40 * k, 8, 32, 32}; }
// The window behind the fuse glyphs, which are drawn at x 320..343 (or
// 326..337 alone), y 12..35.
constexpr Control kReadout{314, 8, 34, 32};

void ModeIcon(Image& img) {
    // Play and pause side by side: the button switches between running and editing.
    const double cx = kMode.CentreX(), cy = kMode.CentreY();
    Ink(img, Polygon{{{cx - 9, cy - 7}, {cx + 1, cy}, {cx - 9, cy + 7}}}, Rgb{110, 226, 120});
    Ink(img, Rect{cx + 3, cy - 7, cx + 6, cy + 7}, Rgb{250, 200, 80});
    Ink(img, Rect{cx + 8, cy - 7, cx + 11, cy + 7}, Rgb{250, 200, 80});
}

void RestartIcon(Image& img) {
    // A circular arrow running clockwise, open at the top, its head at the
    // upper left pointing across the gap.
    const double cx = kRestart.CentreX(), cy = kRestart.CentreY(), r = 7.5;
    const double from = -kPi * 0.28, to = kPi * 1.36;
    Ink(img, Polyline{Arc(cx, cy, r, r, from, to, 40), 1.5}, kInk);
    const Vec end{cx + r * Cos(to), cy + r * Sin(to)};
    const Vec ahead{-Sin(to), Cos(to)}, out{Cos(to), Sin(to)};
    Ink(img,
        Polygon{{{end.x + out.x * 4.2, end.y + out.y * 4.2},
                 {end.x + ahead.x * 5.5, end.y + ahead.y * 5.5},
                 {end.x - out.x * 4.2, end.y - out.y * 4.2}}},
        kInk);
}

// A plus or a minus sign.
struct Sign {
    double cx, cy;
    bool plus;
    bool operator()(double x, double y) const {
        const Rect bar{cx - 4.5, cy - 1.0, cx + 4.5, cy + 1.0}, upright{cx - 1.0, cy - 4.5, cx + 1.0, cy + 4.5};
        return bar(x, y) || (plus && upright(x, y));
    }
    PixelBox Box() const { return BoundsOf(cx - 4.5, cy - 4.5, cx + 4.5, cy + 4.5); }
};

void SignIcons(Image& img) {
    Ink(img, Sign{kMinus.CentreX(), kMinus.CentreY(), false}, kInk);
    Ink(img, Sign{kPlus.CentreX(), kPlus.CentreY(), true}, kInk);
}

void SliderTrack(Image& img) {
    Well(img, kSlider, {30, 33, 44}, 1);
    const int mid = static_cast<int>(kSlider.CentreY());
    // The groove the knob runs in.
    for (int x = kSlider.Left() + 2; x < kSlider.Right() - 2; ++x) {
        img.Set(x, mid - 1, {14, 14, 20});
        img.Set(x, mid, {96, 104, 128});
    }
    // A tick per second of fuse: the knob's middle column for q quarters is
    // 385 + 2q, so whole seconds fall every 8 pixels from 385.
    for (int s = 0; s <= 9; ++s) {
        const int x = 385 + 8 * s;
        const int len = s % 5 == 0 ? 4 : 2;
        for (int i = 0; i < len; ++i) {
            img.Set(x, kSlider.Top() + 2 + i, {150, 160, 186});
            img.Set(x, kSlider.Bottom() - 3 - i, {150, 160, 186});
        }
    }
}

void Readout(Image& img) {
    Well(img, kReadout, {12, 10, 10}, 2);
    // Faint scan lines, like the glass of a small display.
    for (int y = kReadout.Top() + 3; y < kReadout.Bottom() - 3; y += 2)
        for (int x = kReadout.Left() + 3; x < kReadout.Right() - 3; ++x) img.Set(x, y, {20, 14, 14});
}

// An engraved divider between groups of controls.
void Groove(Image& img, int x) {
    for (int y = 6; y < 43; ++y) {
        img.Set(x, y, Shade(Panel(x, y, kHeight), 0.55));
        img.Set(x + 1, y, Shade(Panel(x + 1, y, kHeight), 1.3));
    }
}

}  // namespace

Image MakeHud() {
    Image img(kWidth, kHeight);
    ForEachPixel(img, [](int x, int y, Rgb& c) { c = Panel(x, y, kHeight); });
    // Lit top edge, shadowed bottom edge; a seam where run mode cuts the panel.
    for (int x = 0; x < kWidth; ++x) {
        img.Set(x, 0, {150, 160, 186});
        img.Set(x, 1, {104, 112, 134});
        img.Set(x, kHeight - 1, {12, 13, 18});
        img.Set(x, kHeight / 2 - 1, Shade(Panel(x, kHeight / 2 - 1, kHeight), 0.7));
        img.Set(x, kHeight / 2, Shade(Panel(x, kHeight / 2, kHeight), 1.2));
    }
    for (int x : {72, 305, 536}) Groove(img, x);

    Button(img, kMode);
    ModeIcon(img);
    for (int k = 0; k < 5; ++k) Well(img, Slot(k), kWell, 2);
    Readout(img);
    Button(img, kMinus);
    Button(img, kPlus);
    SignIcons(img);
    SliderTrack(img);
    Button(img, kRestart);
    RestartIcon(img);

    // Labels under the controls, and the keys, in the half shown while editing.
    const int labelY = 46;
    Label(img, "MODE", kMode.CentreX(), labelY, kLabel);
    for (int k = 0; k < 5; ++k) Label(img, std::string(1, static_cast<char>('1' + k)), Slot(k).CentreX(), labelY, kLabel);
    Label(img, "FUSE", (kReadout.Left() + kPlus.Right()) / 2.0, labelY, kLabel);
    Label(img, "RESTART", kRestart.CentreX(), labelY, kLabel);
    Label(img, "SPACE: RUN/EDIT   DRAG: MOVE   RIGHT-DRAG: FUSE   ARROWS: NUDGE   1-5: SELECT   F10: QUIT",
          kWidth / 2.0, 62, {132, 142, 166});
    for (double x : {6.0, kWidth - 7.0}) Rivet(img, x, 75.0);
    return img;
}

}  // namespace gen
