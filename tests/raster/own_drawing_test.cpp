// The game's own drawing call by call against Allegro's: copies, outlines,
// lines, colours, the asset files read, and the hamster's turned sprites on
// all 256 angles. Each draws onto identical canvases and the canvases must
// agree (the turned sprites within kTurnedSpriteSlack pixels).
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>

#include "game/asset_files.h"
#include "game/assets.h"
#include "platform/allegro/allegro_picture.h"
#include "platform/allegro/allegro_surface.h"
#include "raster/drawing_match.h"
#include "raster/image.h"
#include "raster/rotate.h"
#include "raster/shapes.h"
#include "raster/text.h"
#include "support/headless.h"

namespace {

using Owned = std::unique_ptr<BITMAP, void (*)(BITMAP*)>;
Owned Own(BITMAP* b) { return Owned(b, destroy_bitmap); }

void FillRandom(BITMAP* b, std::mt19937& rng) {
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x)
            reinterpret_cast<uint16_t*>(b->line[y])[x] = rng() % 7 == 0 ? MASK_COLOR_16 : static_cast<uint16_t>(rng());
}

// Two canvases alike before every call; the call made on each its own way.
class Canvases : public ::testing::Test {
protected:
    static void SetUpTestSuite() { StartHeadless(); }
    Owned start = Own(create_bitmap(160, 120));
    Owned allegro = Own(create_bitmap(160, 120));
    Owned ours = Own(create_bitmap(160, 120));
    std::mt19937 rng{16};

    void Reset() {
        blit(start.get(), allegro.get(), 0, 0, 0, 0, 160, 120);
        blit(start.get(), ours.get(), 0, 0, 0, 0, 160, 120);
    }
    void Clip(int x1, int y1, int x2, int y2) {
        set_clip_rect(allegro.get(), x1, y1, x2, y2);
        set_clip_rect(ours.get(), x1, y1, x2, y2);
    }
    int Apart() { return Differing(PixelsOf(allegro.get()), PixelsOf(ours.get())); }
    int Coordinate(int from, int to) { return from + static_cast<int>(rng() % static_cast<unsigned>(to - from + 1)); }
};

TEST_F(Canvases, CopiesOutlinesAndLinesAreAllegros) {
    FillRandom(start.get(), rng);
    Owned source = Own(create_bitmap(50, 40));
    FillRandom(source.get(), rng);
    for (int i = 0; i < 3000; ++i) {
        Reset();
        // Now and then a clip rectangle smaller than the canvas.
        if (i % 3 == 0)
            Clip(Coordinate(0, 40), Coordinate(0, 30), Coordinate(100, 159), Coordinate(80, 119));
        else
            Clip(0, 0, 159, 119);
        const int x1 = Coordinate(-30, 190), y1 = Coordinate(-30, 150);
        const int x2 = Coordinate(-30, 190), y2 = Coordinate(-30, 150);
        const int colour = static_cast<int>(rng() & 0xFFFF);
        switch (i % 3) {
            case 0: {
                const int sx = Coordinate(-10, 55), sy = Coordinate(-10, 45), w = Coordinate(0, 60), h = Coordinate(0, 50);
                blit(source.get(), allegro.get(), sx, sy, x1, y1, w, h);
                Copy(SurfaceOf(source.get()), SurfaceOf(ours.get()), sx, sy, x1, y1, w, h);
                break;
            }
            case 1:
                rect(allegro.get(), x1, y1, x2, y2, colour);
                DrawRectangle(SurfaceOf(ours.get()), x1, y1, x2, y2, static_cast<uint16_t>(colour));
                break;
            case 2: {
                // The game's lines run between two points on the screen.
                const int a = Coordinate(0, 159), b = Coordinate(0, 119), c = Coordinate(0, 159), d = Coordinate(0, 119);
                line(allegro.get(), a, b, c, d, colour);
                DrawLine(SurfaceOf(ours.get()), a, b, c, d, static_cast<uint16_t>(colour));
                break;
            }
        }
        ASSERT_EQ(Apart(), 0) << "call " << i << " (" << x1 << ", " << y1 << ") (" << x2 << ", " << y2 << ")";
    }
}

// The screens over the game (title, menus, results, hints, the designer)
// on the web page: filled and shaded boxes, shaded sprites and the text
// font (text_glyphs.inc, which must stay the native font's).
TEST_F(Canvases, TheScreensBoxesShadesAndTextAreAllegros) {
    FillRandom(start.get(), rng);
    Owned source = Own(create_bitmap(40, 30));
    FillRandom(source.get(), rng);
    std::string every;
    for (int c = 32; c < 0x800; c += c < 0x180 ? 1 : 7) {
        if (c < 128) {
            every += static_cast<char>(c);
        } else {
            every += static_cast<char>(0xC0 | c >> 6);
            every += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    const std::string texts[] = {every, "Continue  Levels  Designer", "\xE2\x80\x94 not in the font \xE2\x82\xAC", "cut \xC3"};
    for (int i = 0; i < 2000; ++i) {
        Reset();
        if (i % 3 == 0)
            Clip(Coordinate(0, 40), Coordinate(0, 30), Coordinate(100, 159), Coordinate(80, 119));
        else
            Clip(0, 0, 159, 119);
        const int x1 = Coordinate(-30, 190), y1 = Coordinate(-30, 150);
        const int x2 = Coordinate(-30, 190), y2 = Coordinate(-30, 150);
        const int colour = static_cast<int>(rng() & 0xFFFF), alpha = Coordinate(0, 255);
        switch (i % 4) {
            case 0:
                rectfill(allegro.get(), x1, y1, x2, y2, colour);
                FillRectangle(SurfaceOf(ours.get()), x1, y1, x2, y2, static_cast<uint16_t>(colour));
                break;
            case 1:
                set_trans_blender(0, 0, 0, alpha);
                drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
                rectfill(allegro.get(), x1, y1, x2, y2, colour);
                solid_mode();
                ShadeRectangle(SurfaceOf(ours.get()), x1, y1, x2, y2, static_cast<uint16_t>(colour), alpha);
                break;
            case 2:
                set_trans_blender(0, 0, 0, alpha);
                draw_trans_sprite(allegro.get(), source.get(), x1 - 20, y1 - 15);
                DrawShadedSprite(SurfaceOf(ours.get()), SurfaceOf(source.get()), x1 - 20, y1 - 15, alpha);
                break;
            case 3: {
                const std::string& text = texts[rng() % 4];
                const int offset = static_cast<int>(rng() % 200);
                const int at = offset < static_cast<int>(text.size()) && (text[static_cast<size_t>(offset)] & 0xC0) != 0x80 ? offset : 0;
                textout_ex(allegro.get(), font, text.c_str() + at, x1 - 100, y1, colour, -1);
                DrawText(SurfaceOf(ours.get()), text.c_str() + at, x1 - 100, y1, static_cast<uint16_t>(colour));
                ASSERT_EQ(TextPixelsWide(text.c_str() + at), text_length(font, text.c_str() + at)) << text.c_str() + at;
                break;
            }
        }
        ASSERT_EQ(Apart(), 0) << "call " << i << " (" << x1 << ", " << y1 << ") (" << x2 << ", " << y2 << ") alpha " << alpha;
    }
}

TEST_F(Canvases, ColoursAndAssetFilesAreAllegros) {
    const PixelLayout layout{_rgb_r_shift_16, _rgb_b_shift_16};
    for (int r = 0; r < 256; r += 3)
        for (int g = 0; g < 256; g += 5)
            for (int b = 0; b < 256; b += 7) ASSERT_EQ(PackColour(r, g, b, layout), makecol(r, g, b)) << r << " " << g << " " << b;
    for (const char* file : kBitmapFiles) {
        std::ifstream in(AssetDir() + "/" + file, std::ios::binary);
        const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
        Image image;
        std::string error;
        ASSERT_TRUE(DecodeBmp(bytes, image, error, layout)) << file << ": " << error;
        Owned loaded = Own(load_bitmap((AssetDir() + "/" + file).c_str(), nullptr));
        ASSERT_TRUE(loaded) << file;
        ASSERT_EQ(image.w, loaded->w);
        ASSERT_EQ(image.h, loaded->h);
        std::vector<uint16_t> pixels;
        for (int y = 0; y < image.h; ++y) pixels.insert(pixels.end(), image.Row(y), image.Row(y) + image.w);
        EXPECT_EQ(Differing(pixels, PixelsOf(loaded.get())), 0) << file;
    }
}

TEST_F(Canvases, TurnedSpritesOnEveryAngleAreAllegrosWithinAFewPixels) {
    int total = 0, worst = 0, draws = 0;
    const Assets& assets = HeadlessBitmaps();
    for (Picture* picture : {assets.hamsterSpin.get(), assets.hamsterCrater.get(), assets.block.get()}) {
        BITMAP* sprite = Bitmap(picture);
        for (int angle = 0; angle < 256; ++angle) {
            // Inside, and cut by each edge of the canvas.
            for (const auto& [x, y] : {std::pair{60, 50}, {61, 47}, {-9, 3}, {148, 110}, {3, -12}}) {
                Reset();
                rotate_sprite(allegro.get(), sprite, x, y, itofix(angle));
                DrawRotated(SurfaceOf(ours.get()), SurfaceOf(sprite), x, y, angle);
                const int apart = Apart();
                ASSERT_LE(apart, kTurnedSpriteSlack) << "angle " << angle << " at (" << x << ", " << y << ")";
                total += apart;
                worst = std::max(worst, apart);
                ++draws;
            }
        }
    }
    std::printf("turned sprites: %d pixels apart in %d draws, at most %d in one\n", total, draws, worst);
}

}  // namespace
