#include "game/sprite_drawing.h"

#include "platform/allegro/allegro_picture.h"
#include "platform/allegro/allegro_surface.h"
#include "raster/sprite_rows.h"

namespace {

// A process-wide choice of the tests and benchmarks, which draw whole frames
// with each loop to compare them; the game never changes it.
SpriteLoop fastestStandsFor = SpriteLoop::Fastest;

RowLoop RowLoopFor(SpriteLoop loop) {
    switch (loop) {
        case SpriteLoop::Avx2: return RowLoop::Avx2;
        case SpriteLoop::Sse2: return RowLoop::Sse2;
        case SpriteLoop::Lanes: return RowLoop::Lanes;
        case SpriteLoop::Portable: return RowLoop::Portable;
        default: return RowLoop::Fastest;
    }
}

}  // namespace

bool SpriteLoopAvailable(SpriteLoop loop) { return loop == SpriteLoop::Allegro || RowLoopAvailable(RowLoopFor(loop)); }

void SetFastestSpriteLoop(SpriteLoop loop) { fastestStandsFor = loop; }

void DrawMaskedSprite(Picture* targetPicture, Picture* spritePicture, int x, int y, SpriteLoop loop) {
    BITMAP* target = Bitmap(targetPicture);
    BITMAP* sprite = Bitmap(spritePicture);
    if (loop == SpriteLoop::Fastest) loop = fastestStandsFor;
    // A masked copy needs only the depth; the colour layout does not matter.
    if (loop == SpriteLoop::Allegro || bitmap_color_depth(target) != 16 || bitmap_color_depth(sprite) != 16 ||
        !is_memory_bitmap(target) || !is_memory_bitmap(sprite)) {
        draw_sprite(target, sprite, x, y);
        return;
    }
    DrawMaskedRows(SurfaceOf(target), SurfaceOf(sprite), x, y, RowLoopFor(loop));
}

void DrawAdditiveSprite(Picture* targetPicture, Picture* spritePicture, int x, int y, SpriteLoop loop) {
    BITMAP* target = Bitmap(targetPicture);
    BITMAP* sprite = Bitmap(spritePicture);
    if (loop == SpriteLoop::Fastest) loop = fastestStandsFor;
    if (loop == SpriteLoop::Allegro || !OwnDrawingFits(target, sprite)) {
        // Allegro blends with whichever blender was set last.
        set_add_blender(0, 0, 0, 32);
        draw_trans_sprite(target, sprite, x, y);
        return;
    }
    DrawAdditiveRows(SurfaceOf(target), SurfaceOf(sprite), x, y, RowLoopFor(loop));
}
