#include "play/allegro_presentation.h"

#include <allegro.h>

#include "objects/asset_handles.h"
#include "objects/blocks.h"
#include "objects/bomb.h"
#include "objects/player.h"
#include "play/sprite_drawing.h"

namespace {

// The whole bitmap centred on the object's whole-pixel position; the halving
// is a shift, so odd sizes lean left and up.
void DrawCentred(BITMAP* target, BITMAP* bitmap, const cObject& o, int dx, int dy) {
    const int X = o.x.Whole() + dx;
    const int Y = o.y.Whole() + dy;
    DrawMaskedSprite(target, bitmap, X - (bitmap->w >> 1), Y - (bitmap->h >> 1));
}

}  // namespace

void AllegroPresentation::DrawBlock(BITMAP* target, const cBlock& block, int dx, int dy) {
    DrawCentred(target, BlockBitmap, block, dx, dy);
}

void AllegroPresentation::DrawBrick(BITMAP* target, const cBrick& brick, int dx, int dy) {
    DrawCentred(target, BrickBitmap, brick, dx, dy);
}

// A white frame inset by one pixel at the top and left, two at the bottom and right.
void AllegroPresentation::DrawExit(BITMAP* target, const cExit& exit, int dx, int dy) {
    const int X = exit.x.Whole() + dx;
    const int Y = exit.y.Whole() + dy;
    rect(target, X + 1, Y + 1, X + exit.box.w - 2, Y + exit.box.h - 2, makecol(255, 255, 255));
}

void AllegroPresentation::DrawBomb(BITMAP* target, const cBomb& bomb, int dx, int dy) {
    DrawCentred(target, RedBombBitmap, bomb, dx, dy);
}

void AllegroPresentation::DrawFixedBomb(BITMAP* target, const cFixedBomb& bomb, int dx, int dy) {
    DrawCentred(target, BlueBombBitmap, bomb, dx, dy);
}

// Upright four pixels above the box's centre until blasted; then spinning
// (or lying in its crater) two pixels above it.
void AllegroPresentation::DrawHamster(BITMAP* target, const cPlayer& h, int dx, int dy) {
    const int X = h.x.Whole() + dx;
    const int Y = h.y.Whole() + dy;
    if (!h.Blasted) {
        BITMAP* picture = h.Aware ? HamsterAwareBitmap : HamsterIdleBitmap;
        DrawMaskedSprite(target, picture, X - (picture->w >> 1), Y - (picture->h >> 1) - 4);
    } else {
        BITMAP* picture = h.Landed ? HamsterCraterBitmap : HamsterSpinBitmap;
        // 256 units a turn; only the angle within the turn matters.
        rotate_sprite(target, picture, X - (picture->w >> 1), Y - (picture->h >> 1) - 2, itofix(h.Angle & 255));
    }
}

void AllegroPresentation::PlaySample(SAMPLE* sample, int frequency, bool loop) {
    play_sample(sample, 256, 128, frequency, loop ? 1 : 0);
}

void AllegroPresentation::StopSample(SAMPLE* sample) { stop_sample(sample); }
