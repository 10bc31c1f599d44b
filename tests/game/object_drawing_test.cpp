// The objects' pictures as the game draws them: where each lands on the
// play-field, with the real assets.
#include "game/object_drawing.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "game/assets.h"
#include "game/drawing.h"
#include "platform/allegro/allegro_picture.h"
#include "sim/blocks.h"
#include "sim/bomb.h"
#include "sim/player.h"
#include "sim/world.h"
#include "support/headless.h"

namespace {

class ObjectPictures : public ::testing::Test {
protected:
    static void SetUpTestSuite() { StartHeadless(); }
    void SetUp() override { clear_to_color(target, black()); }
    void TearDown() override { destroy_bitmap(target); }
    static int black() { return makecol(0, 0, 0); }

    // Every opaque pixel of sprite shows with its top-left corner at (x, y),
    // and nothing was drawn outside it.
    bool OnlySpriteAt(Picture* picture, int x, int y) {
        BITMAP* sprite = Bitmap(picture);
        int outside = 0, wrong = 0;
        for (int ty = 0; ty < target->h; ++ty)
            for (int tx = 0; tx < target->w; ++tx) {
                const int got = getpixel(target, tx, ty);
                const int sx = tx - x, sy = ty - y;
                if (sx < 0 || sy < 0 || sx >= sprite->w || sy >= sprite->h) {
                    outside += got != black();
                    continue;
                }
                const int want = getpixel(sprite, sx, sy);
                wrong += want != bitmap_mask_color(sprite) && got != want;
            }
        return outside == 0 && wrong == 0;
    }

    const Assets& assets = HeadlessBitmaps();
    BITMAP* target = create_bitmap(640, 480);
    ObjectDrawing painter{AsPicture(target), assets};
    World world;
};

TEST_F(ObjectPictures, SpritesCentredOnTheirObjects) {
    cBlock block(100, 60);
    block.Draw(world, painter, 0, 0);
    Picture* sprite = assets.block.get();
    EXPECT_TRUE(OnlySpriteAt(sprite, 100 - PictureWidth(sprite) / 2, 60 - PictureHeight(sprite) / 2));

    clear_to_color(target, black());
    cFixedBomb bomb(300, 200, 4);
    bomb.Draw(world, painter, 5, -3);  // the offset moves the picture
    sprite = assets.blueBomb.get();
    EXPECT_TRUE(OnlySpriteAt(sprite, 305 - PictureWidth(sprite) / 2, 197 - PictureHeight(sprite) / 2));

    // The upright hamster stands four pixels above its box's centre.
    clear_to_color(target, black());
    cPlayer hamster(200, 200, 0);
    hamster.Aware = true;
    hamster.Draw(world, painter, 0, 0);
    sprite = assets.hamsterAware.get();
    EXPECT_TRUE(OnlySpriteAt(sprite, 200 - PictureWidth(sprite) / 2, 204 - PictureHeight(sprite) / 2 - 4));
}

TEST_F(ObjectPictures, ExitIsAWhiteFrameInsetOneAndTwo) {
    cExit exit(200, 100, 40, 30);
    exit.Draw(world, painter, 0, 0);
    const int white = makecol(255, 255, 255);
    int frame = 0;
    for (int y = 90; y < 140; ++y)
        for (int x = 190; x < 250; ++x) {
            const bool onFrame = ((x == 201 || x == 238) && y >= 101 && y <= 128) ||
                                 ((y == 101 || y == 128) && x >= 201 && x <= 238);
            EXPECT_EQ(getpixel(target, x, y), onFrame ? white : black()) << x << "," << y;
            frame += onFrame;
        }
    EXPECT_EQ(frame, 2 * 38 + 2 * 26);
}

}  // namespace
