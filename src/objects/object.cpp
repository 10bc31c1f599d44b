#include "objects/object.h"

#include <allegro.h>

void DrawCentred(BITMAP* target, BITMAP* bitmap, const cObject& o, int dx, int dy) {
    const int X = o.x.Whole() + dx;
    const int Y = o.y.Whole() + dy;
    draw_sprite(target, bitmap, X - (bitmap->w >> 1), Y - (bitmap->h >> 1));
}
