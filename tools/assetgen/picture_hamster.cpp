// The hamster: sitting (idle), startled (aware), curled into a ball while it
// flies (spin), and squashed flat after a hard landing (crater).
#include "hamster_colours.h"
#include "paint.h"
#include "pictures.h"
#include "shapes.h"

namespace gen {

namespace {

using namespace hamster;

// Soft fur lit from the upper left; no glint, fur is not shiny.
auto FurPaint(double cx, double cy, double r) {
    return [=](double x, double y) { return SphereShade(kFur, cx, cy, r, x, y, 0.0) * 1.15; };
}

void OutlinedEllipse(Image& img, Ellipse e, Rgb fill, double line = 1.1) {
    Fill(img, Ellipse{e.cx, e.cy, e.rx + line, e.ry + line}, kOutline);
    Fill(img, e, fill);
}

struct Pose {
    bool startled;
};

Image Sitting(Pose pose) {
    Image img(24, 32);
    const Ellipse body{12, 21.5, 10.2, 9.8};
    const Ellipse head{12, 13.2, 9.0, 7.8};
    // Startled ears stand up and apart; resting ones sit low and round.
    const double earY = pose.startled ? 4.2 : 6.4;
    const double earX = pose.startled ? 4.0 : 4.8;
    const Ellipse earL{earX, earY, pose.startled ? 2.9 : 3.2, pose.startled ? 3.9 : 3.1};
    const Ellipse earR{24 - earX, earY, earL.rx, earL.ry};
    const Ellipse footL{7.0, 30.0, 2.8, 1.5}, footR{17.0, 30.0, 2.8, 1.5};

    // The outline of the whole silhouette first, then the parts over it.
    for (const Ellipse& e : {earL, earR, body, head, footL, footR})
        Fill(img, Ellipse{e.cx, e.cy, e.rx + 1.1, e.ry + 1.1}, kOutline);
    for (const Ellipse& e : {earL, earR}) {
        Fill(img, e, FurPaint(12, 14, 16));
        Fill(img, Ellipse{e.cx + (e.cx < 12 ? 0.4 : -0.4), e.cy + 0.4, e.rx - 1.2, e.ry - 1.3}, kPink);
    }
    Fill(img, footL, kPink);
    Fill(img, footR, kPink);
    Fill(img, body, FurPaint(12, 15, 17));
    Fill(img, head, FurPaint(12, 12, 13));
    // Cream belly and muzzle.
    Fill(img, Ellipse{12, 24.0, 6.6, 6.4}, [](double x, double y) { return SphereShade(kCream, 12, 22, 10, x, y, 0) * 1.2; });
    Fill(img, Ellipse{12, 16.6, 4.6, 3.0}, kCream);
    // Front paws: held at the chest, thrown up when startled.
    const double pawY = pose.startled ? 17.5 : 21.0;
    const double pawX = pose.startled ? 5.0 : 8.3;
    OutlinedEllipse(img, {pawX, pawY, 1.7, 1.5}, kPink, 0.9);
    OutlinedEllipse(img, {24 - pawX, pawY, 1.7, 1.5}, kPink, 0.9);
    // Eyes: calm dark beads, or wide open whites with small pupils.
    for (double ex : {8.2, 15.8}) {
        if (pose.startled) {
            OutlinedEllipse(img, {ex, 11.6, 2.3, 2.6}, kWhite, 0.8);
            Fill(img, Circle(ex, 11.8, 1.05), kEye);
        } else {
            Fill(img, Ellipse{ex, 12.0, 1.5, 1.7}, kEye);
            img.Set(static_cast<int>(ex) - 1 + (ex < 12 ? 1 : 0), 11, kWhite);
        }
    }
    // Nose, and a small mouth or an open gasp.
    Fill(img, Ellipse{12, 15.2, 1.2, 0.9}, kPink * 0.9);
    if (pose.startled) {
        Fill(img, Ellipse{12, 18.4, 1.7, 1.9}, kOutline);
        Fill(img, Ellipse{12, 18.7, 1.0, 1.1}, Rgb{150, 40, 50});
    } else {
        Fill(img, Polyline{{{10.4, 17.0}, {11.2, 17.7}, {12.0, 17.0}, {12.8, 17.7}, {13.6, 17.0}}, 0.42}, kOutline);
    }
    // Whiskers.
    for (double side : {-1.0, 1.0}) {
        Fill(img, Capsule{{12 + side * 4.0, 16.0}, {12 + side * 8.5, 15.0}, 0.3}, kOutline, 0.8);
        Fill(img, Capsule{{12 + side * 4.0, 17.0}, {12 + side * 8.5, 17.6}, 0.3}, kOutline, 0.8);
    }
    return img;
}

}  // namespace

Image MakeHamsterIdle() { return Sitting({false}); }
Image MakeHamsterAware() { return Sitting({true}); }

Image MakeHamsterSpin() {
    Image img(24, 24);
    const double c = 11.5, r = 8.8;
    // Ears poke out of the ball on one side; they show the turning.
    for (double a : {-2.36, -0.79}) {
        const Vec p = Rotate({c + r + 1.4, c}, {c, c}, a);
        OutlinedEllipse(img, {p.x, p.y, 2.2, 2.2}, kFur);
        Fill(img, Circle(p.x, p.y, 1.2), kPink);
    }
    Fill(img, Circle(c, c, r + 1.1), kOutline);
    Fill(img, Circle(c, c, r), FurPaint(c, c, r + 2));
    // The cream belly curled up in front, paws and feet pressed to it.
    Fill(img, Circle(c - 0.5, c + 2.6, 5.6), [&](double x, double y) { return SphereShade(kCream, c, c, r + 3, x, y, 0) * 1.2; });
    OutlinedEllipse(img, {c - 3.4, c + 2.0, 1.3, 1.2}, kPink, 0.8);
    OutlinedEllipse(img, {c + 2.4, c + 2.0, 1.3, 1.2}, kPink, 0.8);
    OutlinedEllipse(img, {c - 0.5, c + 6.0, 1.6, 1.2}, kPink, 0.8);
    // Tucked face: squeezed-shut eyes and a pink nose.
    Fill(img, Polyline{{{7.4, 5.6}, {8.8, 6.6}, {7.4, 7.6}}, 0.5}, kOutline);
    Fill(img, Polyline{{{15.6, 5.6}, {14.2, 6.6}, {15.6, 7.6}}, 0.5}, kOutline);
    Fill(img, Ellipse{c, 8.4, 1.2, 0.9}, kPink);
    return img;
}

Image MakeHamsterCrater() {
    Image img(28, 22);
    const Ellipse body{14, 14.5, 12.6, 6.4};
    const Ellipse earL{5.0, 9.0, 3.0, 2.0}, earR{23.0, 9.0, 3.0, 2.0};
    const Ellipse footL{2.6, 19.0, 2.4, 1.5}, footR{25.4, 19.0, 2.4, 1.5};
    for (const Ellipse& e : {earL, earR, footL, footR, body})
        Fill(img, Ellipse{e.cx, e.cy, e.rx + 1.1, e.ry + 1.1}, kOutline);
    Fill(img, earL, kFur);
    Fill(img, earR, kFur);
    Fill(img, Ellipse{5.0, 9.2, 1.6, 0.9}, kPink);
    Fill(img, Ellipse{23.0, 9.2, 1.6, 0.9}, kPink);
    Fill(img, footL, kPink);
    Fill(img, footR, kPink);
    Fill(img, body, FurPaint(14, 12, 14));
    Fill(img, Ellipse{14, 17.2, 8.0, 3.2}, kCream);
    // Dazed: crossed-out eyes and a tongue hanging out.
    for (double ex : {10.0, 18.0}) {
        Fill(img, Capsule{{ex - 1.5, 11.0}, {ex + 1.5, 14.0}, 0.5}, kEye);
        Fill(img, Capsule{{ex - 1.5, 14.0}, {ex + 1.5, 11.0}, 0.5}, kEye);
    }
    Fill(img, Capsule{{12.2, 16.2}, {15.8, 16.2}, 0.5}, kOutline);
    OutlinedEllipse(img, {15.0, 17.6, 1.3, 1.4}, Rgb{236, 96, 110}, 0.7);
    return img;
}

}  // namespace gen
