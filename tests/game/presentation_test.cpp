// The objects' pictures as the game draws them: where each lands on the
// play-field, with the real assets.
#include "platform/allegro/allegro_presentation.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include "sim/asset_handles.h"
#include "sim/blocks.h"
#include "sim/bomb.h"
#include "sim/player.h"
#include "support/headless.h"
#include "support/play_field.h"

namespace {

class Presentation : public PlayFieldTest {
protected:
    static void SetUpTestSuite() { StartHeadless(); }
    void SetUp() override {
        PlayFieldTest::SetUp();
        ActivePresentation = &presentation;
        target = create_bitmap(640, 480);
        clear_to_color(target, black());
    }
    void TearDown() override {
        destroy_bitmap(target);
        PlayFieldTest::TearDown();
    }
    static int black() { return makecol(0, 0, 0); }

    // Every opaque pixel of sprite shows with its top-left corner at (x, y),
    // and nothing was drawn outside it.
    bool OnlySpriteAt(BITMAP* sprite, int x, int y) {
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

    AllegroPresentation presentation;
    BITMAP* target = nullptr;
};

TEST_F(Presentation, SpritesCentredOnTheirObjects) {
    cBlock block(100, 60);
    block.Draw(target, 0, 0);
    EXPECT_TRUE(OnlySpriteAt(BlockBitmap, 100 - BlockBitmap->w / 2, 60 - BlockBitmap->h / 2));

    clear_to_color(target, black());
    cFixedBomb bomb(300, 200, 4);
    bomb.Draw(target, 5, -3);  // the offset moves the picture
    EXPECT_TRUE(OnlySpriteAt(BlueBombBitmap, 305 - BlueBombBitmap->w / 2, 197 - BlueBombBitmap->h / 2));

    // The upright hamster stands four pixels above its box's centre.
    clear_to_color(target, black());
    cPlayer hamster(200, 200, 0);
    hamster.Aware = true;
    hamster.Draw(target, 0, 0);
    EXPECT_TRUE(OnlySpriteAt(HamsterAwareBitmap, 200 - HamsterAwareBitmap->w / 2,
                             204 - HamsterAwareBitmap->h / 2 - 4));
}

TEST_F(Presentation, ExitIsAWhiteFrameInsetOneAndTwo) {
    cExit exit(200, 100, 40, 30);
    exit.Draw(target, 0, 0);
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
