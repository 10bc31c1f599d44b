// The frame's drawing calls on the web build's pictures: the game's own
// drawing, always (there is no Allegro to choose).
#include "game/drawing.h"
#include "game/sprite_drawing.h"
#include "raster/rotate.h"
#include "raster/shapes.h"
#include "raster/sprite_rows.h"
#include "raster/text.h"
#include "platform/web/web_media.h"

void UseDrawer(Drawer) {}

int PictureWidth(Picture* picture) { return picture->w; }
int PictureHeight(Picture* picture) { return picture->h; }
int PictureColour(int r, int g, int b) { return PackColour(r, g, b); }

void CopyPicture(Picture* from, Picture* to, int sx, int sy, int dx, int dy, int w, int h) {
    Copy(from->View(), to->View(), sx, sy, dx, dy, w, h);
}

void DrawTurnedSprite(Picture* target, Picture* sprite, int x, int y, int angle) {
    DrawRotated(target->View(), sprite->View(), x, y, angle & 255);
}

void DrawOutline(Picture* target, int x1, int y1, int x2, int y2, int colour) {
    DrawRectangle(target->View(), x1, y1, x2, y2, static_cast<uint16_t>(colour));
}

void DrawStraightLine(Picture* target, int x1, int y1, int x2, int y2, int colour) {
    DrawLine(target->View(), x1, y1, x2, y2, static_cast<uint16_t>(colour));
}

// The build with WebAssembly's SIMD draws with the lanes loop, the other one
// a pixel at a time: the page picks the build the browser can run.
bool SpriteLoopAvailable(SpriteLoop loop) {
    return loop == SpriteLoop::Fastest || loop == SpriteLoop::Portable ||
           (loop == SpriteLoop::Lanes && RowLoopAvailable(RowLoop::Lanes));
}
void SetFastestSpriteLoop(SpriteLoop) {}

void DrawMaskedSprite(Picture* target, Picture* sprite, int x, int y, SpriteLoop) {
    DrawMaskedRows(target->View(), sprite->View(), x, y);
}

void DrawAdditiveSprite(Picture* target, Picture* sprite, int x, int y, SpriteLoop) {
    DrawAdditiveRows(target->View(), sprite->View(), x, y);
}

void FillBox(Picture* target, int x1, int y1, int x2, int y2, int colour) {
    FillRectangle(target->View(), x1, y1, x2, y2, static_cast<uint16_t>(colour));
}

void ShadeBox(Picture* target, int x1, int y1, int x2, int y2, int colour, int alpha) {
    ShadeRectangle(target->View(), x1, y1, x2, y2, static_cast<uint16_t>(colour), alpha);
}

void DrawShadedSprite(Picture* target, Picture* sprite, int x, int y, int alpha) {
    DrawShadedSprite(target->View(), sprite->View(), x, y, alpha);
}

void WriteText(Picture* target, const char* text, int x, int y, int colour) {
    DrawText(target->View(), text, x, y, static_cast<uint16_t>(colour));
}

int TextWidth(const char* text) { return TextPixelsWide(text); }
