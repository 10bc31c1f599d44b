// The drawing calls on Allegro's bitmaps, drawn by Allegro or by the game's
// own drawing.
#include "game/drawing.h"
#include "platform/allegro/allegro_picture.h"
#include "platform/allegro/allegro_surface.h"
#include "raster/rotate.h"
#include "raster/shapes.h"
#include "raster/text.h"

namespace {

// A process-wide choice of the tests and benchmarks, which draw whole frames
// both ways to compare them; the game never changes it.
Drawer drawer = Drawer::Allegro;

bool Own(BITMAP* target, BITMAP* source) { return drawer == Drawer::Own && OwnDrawingFits(target, source); }

// Allegro blends with whichever blender and mode were set last; every
// blended call sets its own and puts the solid mode back.
void Blended(int alpha) {
    set_trans_blender(0, 0, 0, alpha);
    drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
}

}  // namespace

void UseDrawer(Drawer d) { drawer = d; }

int PictureWidth(Picture* picture) { return Bitmap(picture)->w; }
int PictureHeight(Picture* picture) { return Bitmap(picture)->h; }
int PictureColour(int r, int g, int b) { return makecol(r, g, b); }

void CopyPicture(Picture* from, Picture* to, int sx, int sy, int dx, int dy, int w, int h) {
    BITMAP* f = Bitmap(from);
    BITMAP* t = Bitmap(to);
    if (Own(t, f))
        Copy(SurfaceOf(f), SurfaceOf(t), sx, sy, dx, dy, w, h);
    else
        blit(f, t, sx, sy, dx, dy, w, h);
}

void DrawTurnedSprite(Picture* target, Picture* sprite, int x, int y, int angle) {
    BITMAP* t = Bitmap(target);
    BITMAP* s = Bitmap(sprite);
    if (Own(t, s))
        DrawRotated(SurfaceOf(t), SurfaceOf(s), x, y, angle & 255);
    else
        rotate_sprite(t, s, x, y, itofix(angle & 255));
}

void DrawOutline(Picture* target, int x1, int y1, int x2, int y2, int colour) {
    BITMAP* t = Bitmap(target);
    if (Own(t, t))
        DrawRectangle(SurfaceOf(t), x1, y1, x2, y2, static_cast<uint16_t>(colour));
    else
        rect(t, x1, y1, x2, y2, colour);
}

void DrawStraightLine(Picture* target, int x1, int y1, int x2, int y2, int colour) {
    BITMAP* t = Bitmap(target);
    if (Own(t, t))
        DrawLine(SurfaceOf(t), x1, y1, x2, y2, static_cast<uint16_t>(colour));
    else
        line(t, x1, y1, x2, y2, colour);
}

void FillBox(Picture* target, int x1, int y1, int x2, int y2, int colour) {
    BITMAP* t = Bitmap(target);
    if (Own(t, t))
        FillRectangle(SurfaceOf(t), x1, y1, x2, y2, static_cast<uint16_t>(colour));
    else
        rectfill(t, x1, y1, x2, y2, colour);
}

void ShadeBox(Picture* target, int x1, int y1, int x2, int y2, int colour, int alpha) {
    BITMAP* t = Bitmap(target);
    if (Own(t, t)) {
        ShadeRectangle(SurfaceOf(t), x1, y1, x2, y2, static_cast<uint16_t>(colour), alpha);
        return;
    }
    Blended(alpha);
    rectfill(t, x1, y1, x2, y2, colour);
    solid_mode();
}

void DrawShadedSprite(Picture* target, Picture* sprite, int x, int y, int alpha) {
    BITMAP* t = Bitmap(target);
    BITMAP* s = Bitmap(sprite);
    if (Own(t, s)) {
        DrawShadedSprite(SurfaceOf(t), SurfaceOf(s), x, y, alpha);
        return;
    }
    set_trans_blender(0, 0, 0, alpha);
    draw_trans_sprite(t, s, x, y);
}

void WriteText(Picture* target, const char* text, int x, int y, int colour) {
    BITMAP* t = Bitmap(target);
    if (Own(t, t))
        DrawText(SurfaceOf(t), text, x, y, static_cast<uint16_t>(colour));
    else
        textout_ex(t, font, text, x, y, colour, -1);
}

int TextWidth(const char* text) { return drawer == Drawer::Own ? TextPixelsWide(text) : text_length(font, text); }
