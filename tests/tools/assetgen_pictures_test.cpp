#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "asset_probe.h"
#include "game/asset_files.h"
#include "game/assets.h"
#include "packs/builtin_levels.h"
#include "platform/allegro/allegro_picture.h"

namespace {

class GeneratedPictures : public ::testing::Test {
protected:
    static void SetUpTestSuite() { StartHeadless(); }
};

// The frames and glyphs the game cut from the sheets it loaded.
BITMAP* StripFrame(Strip strip, int i) { return Bitmap(HeadlessBitmaps().StripPicture(strip, i)); }
BITMAP* Glyph(int i) { return Bitmap(HeadlessBitmaps().timeGlyphs[i]); }

// Control boxes of the HUD: a click hits columns x+1..x+w and rows y+1..y+h.
struct ControlBox {
    const char* name;
    int x, y, w, h;
};
constexpr ControlBox kControls[] = {
    {"mode", 8, 8, 32, 32},    {"slot 0", 104, 8, 32, 32},  {"slot 1", 144, 8, 32, 32},
    {"slot 2", 184, 8, 32, 32}, {"slot 3", 224, 8, 32, 32}, {"slot 4", 264, 8, 32, 32},
    {"minus", 360, 16, 16, 16}, {"slider", 384, 16, 79, 16}, {"plus", 472, 16, 16, 16},
    {"restart", 585, 8, 48, 32},
};

TEST_F(GeneratedPictures, OpaquePicturesFitTheScreenAndHaveNoMaskColour) {
    BitmapPtr background = LoadAssetBitmap("Background.bmp");
    BitmapPtr hud = LoadAssetBitmap("Hud.bmp");
    ASSERT_TRUE(background && hud);
    EXPECT_EQ(background->w, kScreenWidth);
    EXPECT_EQ(background->h, kScreenHeight);
    EXPECT_EQ(CountMask(background.get()), 0);
    EXPECT_EQ(hud->w, kScreenWidth);
    EXPECT_EQ(CountMask(hud.get()), 0);
    // Run mode shows only the upper half; every control reaches down to row 40.
    EXPECT_GE(hud->h / 2, 41);

    // A scene, not a flat fill: many distinct colours across the picture.
    std::vector<int> colours;
    for (int y = 0; y < background->h; y += 7)
        for (int x = 0; x < background->w; x += 7) colours.push_back(getpixel(background.get(), x, y));
    std::sort(colours.begin(), colours.end());
    EXPECT_GT(std::unique(colours.begin(), colours.end()) - colours.begin(), 100);
}

TEST_F(GeneratedPictures, HudInRunModeLeavesEveryBuiltinLevelVisible) {
    // In run mode only the HUD's upper half covers the bottom of the screen;
    // everything a built-in level puts on the field must show above it.
    BitmapPtr hud = LoadAssetBitmap("Hud.bmp");
    ASSERT_TRUE(hud);
    int lowest = 0;  // the lowest pixel row any block, brick, exit or hamster covers
    for (const LevelRecord* level : BuiltinLevels) {
        for (const LevelRecord* r = level; r->type != REC_END; ++r) {
            if (r->type == REC_BLOCK || r->type == REC_BRICK) lowest = std::max(lowest, r->y + 9);
            if (r->type == REC_EXIT) lowest = std::max(lowest, r->y + r->h - 1);
            if (r->type == REC_HAMSTER) lowest = std::max(lowest, r->y + 11);
        }
    }
    EXPECT_LT(lowest, kScreenHeight - hud->h / 2);
}

TEST_F(GeneratedPictures, HudDrawsEachControlExactlyOnItsClickArea) {
    BitmapPtr hud = LoadAssetBitmap("Hud.bmp");
    ASSERT_TRUE(hud);
    BITMAP* b = hud.get();
    // Along each side, the control's outermost pixels must stand out from
    // the panel pixel just outside: then what the player sees is what the
    // click test accepts, to the pixel.
    for (const ControlBox& c : kControls) {
        int left = 0, right = 0, top = 0, bottom = 0;
        for (int y = c.y + 1; y <= c.y + c.h; ++y) {
            left += Difference(ColourAt(b, c.x + 1, y), ColourAt(b, c.x, y)) > 60;
            right += Difference(ColourAt(b, c.x + c.w, y), ColourAt(b, c.x + c.w + 1, y)) > 60;
        }
        for (int x = c.x + 1; x <= c.x + c.w; ++x) {
            top += Difference(ColourAt(b, x, c.y + 1), ColourAt(b, x, c.y)) > 60;
            bottom += Difference(ColourAt(b, x, c.y + c.h), ColourAt(b, x, c.y + c.h + 1)) > 60;
        }
        EXPECT_GE(left, c.h - 2) << c.name;
        EXPECT_GE(right, c.h - 2) << c.name;
        EXPECT_GE(top, c.w - 2) << c.name;
        EXPECT_GE(bottom, c.w - 2) << c.name;
    }
    // The fuse read-out sits in a dark window, darker than the panel round it.
    auto brightness = [&](int x0, int y0, int w, int h) {
        long sum = 0;
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) {
                const Colour c = ColourAt(b, x, y);
                sum += c.r + c.g + c.b;
            }
        return sum / (w * h);
    };
    EXPECT_LT(brightness(320, 12, 24, 24) + 60, brightness(300, 2, 10, 40));
}

TEST_F(GeneratedPictures, EverySpriteHasMaskAroundAVisibleShape) {
    for (int i = 2; i < kBitmapFileCount; ++i) {
        BitmapPtr b = LoadAssetBitmap(kBitmapFiles[i]);
        ASSERT_TRUE(b) << kBitmapFiles[i];
        const int mask = CountMask(b.get()), total = b->w * b->h;
        EXPECT_GT(mask, 0) << kBitmapFiles[i];
        EXPECT_GT(total - mask, total / 8) << kBitmapFiles[i];
    }
    // Every cut frame and glyph, too: an empty one would flicker away.
    for (int i = 0; i < kStripFrames; ++i)
        for (Strip strip : {Strip::Flare, Strip::Dust, Strip::Bricks}) {
            BITMAP* f = StripFrame(strip, i);
            EXPECT_GT(CountMask(f), 0);
            EXPECT_LT(CountMask(f), f->w * f->h - 8);
        }
    for (Picture* glyph : HeadlessBitmaps().timeGlyphs) {
        BITMAP* g = Bitmap(glyph);
        EXPECT_GT(CountMask(g), 0);
        EXPECT_LT(CountMask(g), g->w * g->h - 8);
    }
}

TEST_F(GeneratedPictures, SpritesFitWhereTheGameDrawsThem) {
    BitmapPtr block = LoadAssetBitmap("Block.bmp"), brick = LoadAssetBitmap("Brick.bmp");
    BitmapPtr red = LoadAssetBitmap("RedBomb.bmp"), blue = LoadAssetBitmap("BlueBomb.bmp");
    BitmapPtr idle = LoadAssetBitmap("HamsterIdle.bmp"), aware = LoadAssetBitmap("HamsterAware.bmp");
    BitmapPtr slider = LoadAssetBitmap("Slider.bmp"), cursor = LoadAssetBitmap("Cursor.bmp");
    BitmapPtr complete = LoadAssetBitmap("Complete.bmp"), hud = LoadAssetBitmap("Hud.bmp");
    ASSERT_TRUE(block && brick && red && blue && idle && aware && slider && cursor && complete && hud);
    // Tiles are the 20 x 20 cells they stand for, so walls join up.
    EXPECT_EQ(block->w, 20);
    EXPECT_EQ(block->h, 20);
    EXPECT_EQ(brick->w, 20);
    EXPECT_EQ(brick->h, 20);
    // The red bomb doubles as the inventory icon at (108 + 40i, 12): it must
    // stay inside slot i, columns 105 + 40i .. 136 + 40i, rows 9 .. 40.
    EXPECT_LE(108 + red->w - 1, 136);
    EXPECT_LE(12 + red->h - 1, 40);
    EXPECT_EQ(blue->w, red->w);
    EXPECT_EQ(blue->h, red->h);
    // Idle and aware swap in place; a size change would make the hamster jump.
    EXPECT_EQ(idle->w, aware->w);
    EXPECT_EQ(idle->h, aware->h);
    // The knob, drawn at row 13, stays in the half of the HUD run mode shows.
    EXPECT_LE(13 + slider->h, hud->h / 2);
    // The pointer's hot spot is its top-left pixel: the tip must be drawn there.
    EXPECT_FALSE(IsMask(cursor.get(), 0, 0));
    EXPECT_TRUE(IsMask(cursor.get(), cursor->w - 1, 0));
    EXPECT_LE(complete->w, kScreenWidth);
    EXPECT_LE(complete->h, kScreenHeight);
}

int Lit(BITMAP* b) { return b->w * b->h - CountMask(b); }

// Columns between the leftmost and the rightmost drawn pixel.
int Extent(BITMAP* b) {
    int lo = b->w, hi = -1;
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x)
            if (!IsMask(b, x, y)) {
                lo = std::min(lo, x);
                hi = std::max(hi, x);
            }
    return hi - lo + 1;
}

long Brightness(BITMAP* b) {
    long sum = 0;
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x)
            if (!IsMask(b, x, y)) {
                const Colour c = ColourAt(b, x, y);
                sum += c.r + c.g + c.b;
            }
    return sum;
}

bool SameShape(BITMAP* a, BITMAP* b) {
    for (int y = 0; y < a->h; ++y)
        for (int x = 0; x < a->w; ++x)
            if (getpixel(a, x, y) != getpixel(b, x, y)) return false;
    return true;
}

TEST_F(GeneratedPictures, ParticleStripsAnimate) {
    for (int i = 1; i < kStripFrames; ++i) {
        // The spark shrinks and fades.
        EXPECT_LT(Lit(StripFrame(Strip::Flare, i)), Lit(StripFrame(Strip::Flare, i - 1))) << i;
        EXPECT_LT(Brightness(StripFrame(Strip::Flare, i)), Brightness(StripFrame(Strip::Flare, i - 1))) << i;
        // The puff spreads while it thins: wider, but each pixel dimmer.
        EXPECT_GE(Extent(StripFrame(Strip::Dust, i)), Extent(StripFrame(Strip::Dust, i - 1))) << i;
        EXPECT_LT(Brightness(StripFrame(Strip::Dust, i)) / Lit(StripFrame(Strip::Dust, i)),
                  Brightness(StripFrame(Strip::Dust, i - 1)) / Lit(StripFrame(Strip::Dust, i - 1)))
            << i;
        // The fragment turns.
        EXPECT_FALSE(SameShape(StripFrame(Strip::Bricks, i), StripFrame(Strip::Bricks, i - 1))) << i;
    }
    EXPECT_GT(Extent(StripFrame(Strip::Dust, 3)), Extent(StripFrame(Strip::Dust, 0)));
}

TEST_F(GeneratedPictures, TimeGlyphsAreDistinct) {
    // Digits 0..9 and the three quarter marks must all read differently.
    const int shown[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13};
    for (int a : shown)
        for (int b : shown)
            if (a < b) {
                EXPECT_FALSE(SameShape(Glyph(a), Glyph(b))) << a << " vs " << b;
            }
    // More quarters, more of the mark filled in.
    EXPECT_LT(Brightness(Glyph(11)), Brightness(Glyph(12)));
    EXPECT_LT(Brightness(Glyph(12)), Brightness(Glyph(13)));
}

}  // namespace
