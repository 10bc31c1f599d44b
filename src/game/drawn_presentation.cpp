#include "game/drawn_presentation.h"

#include "sim/asset_handles.h"
#include "sim/blocks.h"
#include "sim/bomb.h"
#include "sim/player.h"
#include "game/drawing.h"
#include "game/sprite_drawing.h"

namespace {

// The whole bitmap centred on the object's whole-pixel position; the halving
// is a shift, so odd sizes lean left and up.
void DrawCentred(BITMAP* target, BITMAP* bitmap, const cObject& o, int dx, int dy) {
    const int X = o.x.Whole() + dx;
    const int Y = o.y.Whole() + dy;
    DrawMaskedSprite(target, bitmap, X - (PictureWidth(bitmap) >> 1), Y - (PictureHeight(bitmap) >> 1));
}

}  // namespace

void DrawnPresentation::DrawBlock(BITMAP* target, const cBlock& block, int dx, int dy) {
    DrawCentred(target, BlockBitmap, block, dx, dy);
}

void DrawnPresentation::DrawBrick(BITMAP* target, const cBrick& brick, int dx, int dy) {
    DrawCentred(target, BrickBitmap, brick, dx, dy);
}

// A white frame inset by one pixel at the top and left, two at the bottom and right.
void DrawnPresentation::DrawExit(BITMAP* target, const cExit& exit, int dx, int dy) {
    const int X = exit.x.Whole() + dx;
    const int Y = exit.y.Whole() + dy;
    DrawOutline(target, X + 1, Y + 1, X + exit.box.w - 2, Y + exit.box.h - 2, PictureColour(255, 255, 255));
}

void DrawnPresentation::DrawBomb(BITMAP* target, const cBomb& bomb, int dx, int dy) {
    DrawCentred(target, RedBombBitmap, bomb, dx, dy);
}

void DrawnPresentation::DrawFixedBomb(BITMAP* target, const cFixedBomb& bomb, int dx, int dy) {
    DrawCentred(target, BlueBombBitmap, bomb, dx, dy);
}

// Upright four pixels above the box's centre until blasted; then spinning
// (or lying in its crater) two pixels above it.
void DrawnPresentation::DrawHamster(BITMAP* target, const cPlayer& h, int dx, int dy) {
    const int X = h.x.Whole() + dx;
    const int Y = h.y.Whole() + dy;
    if (!h.Blasted) {
        BITMAP* picture = h.Aware ? HamsterAwareBitmap : HamsterIdleBitmap;
        DrawMaskedSprite(target, picture, X - (PictureWidth(picture) >> 1), Y - (PictureHeight(picture) >> 1) - 4);
    } else {
        BITMAP* picture = h.Landed ? HamsterCraterBitmap : HamsterSpinBitmap;
        // 256 units a turn; only the angle within the turn matters.
        DrawTurnedSprite(target, picture, X - (PictureWidth(picture) >> 1), Y - (PictureHeight(picture) >> 1) - 2, h.Angle & 255);
    }
}
