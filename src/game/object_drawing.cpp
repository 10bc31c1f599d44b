#include "game/object_drawing.h"

#include "game/assets.h"
#include "game/drawing.h"
#include "game/sprite_drawing.h"
#include "sim/blocks.h"
#include "sim/bomb.h"
#include "sim/player.h"

namespace {

// The whole bitmap centred on the object's whole-pixel position; the halving
// is a shift, so odd sizes lean left and up.
void DrawCentred(Picture* target, Picture* bitmap, const cObject& o, int dx, int dy) {
    const int X = o.x.Whole() + dx;
    const int Y = o.y.Whole() + dy;
    DrawMaskedSprite(target, bitmap, X - (PictureWidth(bitmap) >> 1), Y - (PictureHeight(bitmap) >> 1));
}

}  // namespace

void ObjectDrawing::DrawBlock(const cBlock& block, int dx, int dy) {
    DrawCentred(target_, assets_.block.get(), block, dx, dy);
}

void ObjectDrawing::DrawBrick(const cBrick& brick, int dx, int dy) {
    DrawCentred(target_, assets_.brick.get(), brick, dx, dy);
}

// A white frame inset by one pixel at the top and left, two at the bottom and right.
void ObjectDrawing::DrawExit(const cExit& exit, int dx, int dy) {
    const int X = exit.x.Whole() + dx;
    const int Y = exit.y.Whole() + dy;
    DrawOutline(target_, X + 1, Y + 1, X + exit.box.w - 2, Y + exit.box.h - 2, PictureColour(255, 255, 255));
}

void ObjectDrawing::DrawBomb(const cBomb& bomb, int dx, int dy) {
    DrawCentred(target_, assets_.redBomb.get(), bomb, dx, dy);
}

void ObjectDrawing::DrawFixedBomb(const cFixedBomb& bomb, int dx, int dy) {
    DrawCentred(target_, assets_.blueBomb.get(), bomb, dx, dy);
}

// Upright four pixels above the box's centre until blasted; then spinning
// (or lying in its crater) two pixels above it.
void ObjectDrawing::DrawHamster(const cPlayer& h, int dx, int dy) {
    const int X = h.x.Whole() + dx;
    const int Y = h.y.Whole() + dy;
    if (!h.Blasted) {
        Picture* picture = (h.Aware ? assets_.hamsterAware : assets_.hamsterIdle).get();
        DrawMaskedSprite(target_, picture, X - (PictureWidth(picture) >> 1), Y - (PictureHeight(picture) >> 1) - 4);
    } else {
        Picture* picture = (h.Landed ? assets_.hamsterCrater : assets_.hamsterSpin).get();
        // 256 units a turn; only the angle within the turn matters.
        DrawTurnedSprite(target_, picture, X - (PictureWidth(picture) >> 1), Y - (PictureHeight(picture) >> 1) - 2, h.Angle & 255);
    }
}
