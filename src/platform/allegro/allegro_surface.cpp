#include "platform/allegro/allegro_surface.h"

#include <allegro.h>

Surface SurfaceOf(BITMAP* b) {
    Surface s;
    s.rows = b->line;
    s.w = b->w;
    s.h = b->h;
    s.clip = b->clip != 0;
    s.cl = b->cl;
    s.ct = b->ct;
    s.cr = b->cr;
    s.cb = b->cb;
    return s;
}

bool OwnDrawingFits(BITMAP* target, BITMAP* source) {
    const bool sixteen = bitmap_color_depth(target) == 16 && bitmap_color_depth(source) == 16 &&
                         is_memory_bitmap(target) && is_memory_bitmap(source);
    return sixteen && _rgb_g_shift_16 == 5 &&
           ((_rgb_r_shift_16 == 11 && _rgb_b_shift_16 == 0) || (_rgb_r_shift_16 == 0 && _rgb_b_shift_16 == 11));
}
