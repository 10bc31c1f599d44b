// DrawMaskedSprite and DrawAdditiveSprite against Allegro's own draw_sprite
// and draw_trans_sprite with the additive blender at 32: both draw onto
// identical copies and every pixel of the copies must agree, with each inner
// loop this processor has.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <random>

#include "game/sprite_drawing.h"
#include "platform/allegro/allegro_picture.h"
#include "support/headless.h"

namespace {

using Owned = std::unique_ptr<BITMAP, void (*)(BITMAP*)>;
Owned Own(BITMAP* b) { return Owned(b, destroy_bitmap); }

void Put(BITMAP* b, int x, int y, uint16_t c) { reinterpret_cast<uint16_t*>(b->line[y])[x] = c; }

// Random 16-bit pixels, one in magentaOneIn of them the mask colour.
void FillRandom(BITMAP* b, std::mt19937& rng, int magentaOneIn) {
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w; ++x)
            Put(b, x, y, rng() % magentaOneIn == 0 ? MASK_COLOR_16 : static_cast<uint16_t>(rng()));
}

::testing::AssertionResult SamePixels(BITMAP* allegro, BITMAP* ours) {
    const size_t rowBytes = static_cast<size_t>(allegro->w) * ((bitmap_color_depth(allegro) + 7) / 8);
    for (int y = 0; y < allegro->h; ++y) {
        if (std::memcmp(allegro->line[y], ours->line[y], rowBytes) == 0) continue;
        for (int x = 0; x < allegro->w; ++x)
            if (getpixel(allegro, x, y) != getpixel(ours, x, y))
                return ::testing::AssertionFailure() << "canvas pixel (" << x << ", " << y << "): Allegro "
                                                     << std::hex << getpixel(allegro, x, y) << ", ours "
                                                     << getpixel(ours, x, y);
    }
    return ::testing::AssertionSuccess();
}

// A canvas with the target as a sub-bitmap inside it, twice: one copy for
// Allegro, one for us. The whole canvases are compared, so a write outside
// the target (or outside its clip rectangle) shows too.
class Stage {
public:
    Stage(int depth, int canvasW, int canvasH, int left, int top, int w, int h)
        : start_(Own(create_bitmap_ex(depth, canvasW, canvasH))),
          allegro_(Own(create_bitmap_ex(depth, canvasW, canvasH))),
          ours_(Own(create_bitmap_ex(depth, canvasW, canvasH))),
          allegroTarget_(Own(create_sub_bitmap(allegro_.get(), left, top, w, h))),
          oursTarget_(Own(create_sub_bitmap(ours_.get(), left, top, w, h))) {}

    // What both canvases hold before every draw.
    BITMAP* Start() { return start_.get(); }
    BITMAP* AllegroCanvas() { return allegro_.get(); }
    BITMAP* OursCanvas() { return ours_.get(); }
    void SetClip(int x1, int y1, int x2, int y2) {
        set_clip_rect(allegroTarget_.get(), x1, y1, x2, y2);
        set_clip_rect(oursTarget_.get(), x1, y1, x2, y2);
    }
    void SetClipping(bool on) {
        set_clip_state(allegroTarget_.get(), on);
        set_clip_state(oursTarget_.get(), on);
    }

    // Each side draws its own sprite: they differ only when the sprite lies
    // in the canvas itself.
    ::testing::AssertionResult Draw(BITMAP* allegroSprite, BITMAP* oursSprite, int x, int y, SpriteLoop loop,
                                    bool additive = true) {
        blit(Start(), allegro_.get(), 0, 0, 0, 0, Start()->w, Start()->h);
        blit(Start(), ours_.get(), 0, 0, 0, 0, Start()->w, Start()->h);
        if (additive) {
            set_add_blender(0, 0, 0, 32);
            draw_trans_sprite(allegroTarget_.get(), allegroSprite, x, y);
            DrawAdditiveSprite(AsPicture(oursTarget_.get()), AsPicture(oursSprite), x, y, loop);
        } else {
            draw_sprite(allegroTarget_.get(), allegroSprite, x, y);
            DrawMaskedSprite(AsPicture(oursTarget_.get()), AsPicture(oursSprite), x, y, loop);
        }
        return SamePixels(allegro_.get(), ours_.get())
               << (additive ? " additive" : " masked") << " (sprite at " << std::dec << x << ", " << y << ")";
    }
    ::testing::AssertionResult Draw(BITMAP* sprite, int x, int y, SpriteLoop loop, bool additive = true) {
        return Draw(sprite, sprite, x, y, loop, additive);
    }

private:
    Owned start_, allegro_, ours_, allegroTarget_, oursTarget_;
};

class Sprites : public ::testing::TestWithParam<SpriteLoop> {
protected:
    static void SetUpTestSuite() { StartHeadless(); }
    void SetUp() override {
        if (!SpriteLoopAvailable(GetParam())) GTEST_SKIP() << "this processor has no such loop";
    }
};

// Each channel on its own, every sprite value over every target value, the
// other channels held at nothing, everything, or the mask colour's: with the
// last, one sprite value makes the whole pixel magenta, which is skipped.
TEST_P(Sprites, EveryChannelValueOverEveryOtherMatchesAllegro) {
    struct Field {
        int shift, bits;
    };
    const Field fields[] = {{11, 5}, {5, 6}, {0, 5}};
    const uint16_t others[] = {0x0000, 0xFFFF, MASK_COLOR_16};
    for (const Field& f : fields) {
        const int n = 1 << f.bits;
        const uint16_t field = static_cast<uint16_t>((n - 1) << f.shift);
        Stage stage(16, n, n, 0, 0, n, n);
        auto sprite = Own(create_bitmap(n, n));
        for (uint16_t spriteOthers : others) {
            for (uint16_t targetOthers : others) {
                // Sprite value by column, target value by row.
                for (int y = 0; y < n; ++y) {
                    for (int x = 0; x < n; ++x) {
                        Put(sprite.get(), x, y, static_cast<uint16_t>((spriteOthers & ~field) | x << f.shift));
                        Put(stage.Start(), x, y, static_cast<uint16_t>((targetOthers & ~field) | y << f.shift));
                    }
                }
                EXPECT_TRUE(stage.Draw(sprite.get(), 0, 0, GetParam()))
                    << "field at bit " << f.shift << ", sprite's other bits " << std::hex << spriteOthers
                    << ", target's " << targetOthers;
            }
        }
    }
}

// Random sprites, masked and additive, at every position from wholly off the
// top left to wholly off the bottom right of a small target: with its own
// bounds as the clip rectangle, with a smaller one, and with clipping off
// (then nothing is cut, so the sprite spills into the canvas around the
// target, as with Allegro).
// One sprite is 16 x 16 like a particle, the other an odd size cut from a
// sheet, so rows end part way through eight pixels and line pointers are offset.
TEST_P(Sprites, RandomSpritesAtEveryPositionAndClipMatchAllegro) {
    for (const bool additive : {true, false}) {
        std::mt19937 rng(20240611);
        constexpr int kMargin = 20, kW = 40, kH = 30;
        Stage stage(16, kW + 2 * kMargin, kH + 2 * kMargin, kMargin, kMargin, kW, kH);
        FillRandom(stage.Start(), rng, 50);

        // Mask-colour corners, as round pictures have, besides the scattered pixels.
        auto particle = Own(create_bitmap(16, 16));
        FillRandom(particle.get(), rng, 6);
        rectfill(particle.get(), 0, 0, 9, 4, MASK_COLOR_16);
        rectfill(particle.get(), 5, 12, 15, 15, MASK_COLOR_16);
        auto sheet = Own(create_bitmap(40, 30));
        FillRandom(sheet.get(), rng, 6);
        auto cut = Own(create_sub_bitmap(sheet.get(), 7, 5, 13, 11));
        rectfill(cut.get(), 0, 7, 12, 10, MASK_COLOR_16);

        enum class Clip { Whole, Smaller, Off };
        for (Clip clip : {Clip::Whole, Clip::Smaller, Clip::Off}) {
            stage.SetClip(0, 0, kW - 1, kH - 1);
            if (clip == Clip::Smaller) stage.SetClip(5, 4, 30, 20);
            stage.SetClipping(clip != Clip::Off);
            for (BITMAP* sprite : {particle.get(), cut.get()}) {
                // Unclipped rows outside the target are out of its line table.
                const int yFirst = clip == Clip::Off ? 0 : -sprite->h;
                const int yLast = clip == Clip::Off ? kH - sprite->h : kH;
                int failures = 0;
                for (int y = yFirst; y <= yLast && failures < 5; ++y)
                    for (int x = -sprite->w; x <= kW && failures < 5; ++x)
                        if (const auto drawn = stage.Draw(sprite, x, y, GetParam(), additive); !drawn) {
                            ADD_FAILURE() << drawn.message() << ", clip "
                                          << static_cast<int>(clip) << ", sprite " << sprite->w << " x " << sprite->h;
                            ++failures;
                        }
            }
        }
    }
}

// A sprite cut from the target's own canvas, drawn a few pixels away so it
// overlaps itself: Allegro reads and writes one pixel at a time, and a
// sprite pixel it has already written is read as written.
TEST_P(Sprites, SpriteOverlappingItsTargetMatchesAllegro) {
    std::mt19937 rng(7);
    Stage stage(16, 64, 48, 0, 0, 64, 48);
    FillRandom(stage.Start(), rng, 8);
    auto allegroSprite = Own(create_sub_bitmap(stage.AllegroCanvas(), 20, 12, 24, 20));
    auto oursSprite = Own(create_sub_bitmap(stage.OursCanvas(), 20, 12, 24, 20));
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -9; dx <= 9; ++dx)
            for (const bool additive : {true, false})
                EXPECT_TRUE(stage.Draw(allegroSprite.get(), oursSprite.get(), 20 + dx, 12 + dy, GetParam(), additive));
}

// Bitmaps not drawn here go to Allegro, with the additive blender at 32
// whatever blender was set before.
TEST_P(Sprites, OtherDepthsGoToAllegroWithTheAdditiveBlender) {
    Stage stage(24, 48, 40, 4, 4, 40, 32);
    clear_to_color(stage.Start(), makecol24(90, 40, 200));
    auto sprite = Own(create_bitmap_ex(24, 16, 16));
    clear_to_color(sprite.get(), makecol24(120, 250, 10));
    rectfill(sprite.get(), 4, 4, 11, 11, bitmap_mask_color(sprite.get()));

    BITMAP* canvas = stage.OursCanvas();
    blit(stage.Start(), canvas, 0, 0, 0, 0, canvas->w, canvas->h);
    set_trans_blender(0, 0, 0, 200);
    auto target = Own(create_sub_bitmap(canvas, 4, 4, 40, 32));
    DrawAdditiveSprite(AsPicture(target.get()), AsPicture(sprite.get()), 30, 10, GetParam());

    auto expected = Own(create_bitmap_ex(24, canvas->w, canvas->h));
    blit(stage.Start(), expected.get(), 0, 0, 0, 0, canvas->w, canvas->h);
    auto expectedTarget = Own(create_sub_bitmap(expected.get(), 4, 4, 40, 32));
    set_add_blender(0, 0, 0, 32);
    draw_trans_sprite(expectedTarget.get(), sprite.get(), 30, 10);
    EXPECT_TRUE(SamePixels(expected.get(), canvas));
    EXPECT_NE(getpixel(canvas, 36, 16), getpixel(stage.Start(), 36, 16)) << "nothing was drawn";
}

INSTANTIATE_TEST_SUITE_P(Loops, Sprites,
                         ::testing::Values(SpriteLoop::Avx2, SpriteLoop::Sse2, SpriteLoop::Lanes,
                                           SpriteLoop::Portable),
                         [](const ::testing::TestParamInfo<SpriteLoop>& info) {
                             return info.param == SpriteLoop::Avx2    ? "Avx2"
                                    : info.param == SpriteLoop::Sse2  ? "Sse2"
                                    : info.param == SpriteLoop::Lanes ? "Lanes"
                                                                      : "Portable";
                         });

}  // namespace
