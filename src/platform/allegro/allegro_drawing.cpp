// The drawing calls on Allegro's bitmaps, drawn by Allegro or by the game's
// own drawing.
#include <allegro.h>

#include "platform/allegro/allegro_surface.h"
#include "game/drawing.h"
#include "raster/rotate.h"
#include "raster/shapes.h"

namespace {

Drawer drawer = Drawer::Allegro;

bool Own(BITMAP* target, BITMAP* source) { return drawer == Drawer::Own && OwnDrawingFits(target, source); }

}  // namespace

void UseDrawer(Drawer d) { drawer = d; }

int PictureWidth(BITMAP* picture) { return picture->w; }
int PictureHeight(BITMAP* picture) { return picture->h; }
int PictureColour(int r, int g, int b) { return makecol(r, g, b); }

void CopyPicture(BITMAP* from, BITMAP* to, int sx, int sy, int dx, int dy, int w, int h) {
    if (Own(to, from))
        Copy(SurfaceOf(from), SurfaceOf(to), sx, sy, dx, dy, w, h);
    else
        blit(from, to, sx, sy, dx, dy, w, h);
}

void DrawTurnedSprite(BITMAP* target, BITMAP* sprite, int x, int y, int angle) {
    if (Own(target, sprite))
        DrawRotated(SurfaceOf(target), SurfaceOf(sprite), x, y, angle & 255);
    else
        rotate_sprite(target, sprite, x, y, itofix(angle & 255));
}

void DrawOutline(BITMAP* target, int x1, int y1, int x2, int y2, int colour) {
    if (Own(target, target))
        DrawRectangle(SurfaceOf(target), x1, y1, x2, y2, static_cast<uint16_t>(colour));
    else
        rect(target, x1, y1, x2, y2, colour);
}

void DrawStraightLine(BITMAP* target, int x1, int y1, int x2, int y2, int colour) {
    if (Own(target, target))
        DrawLine(SurfaceOf(target), x1, y1, x2, y2, static_cast<uint16_t>(colour));
    else
        line(target, x1, y1, x2, y2, colour);
}
