// What a frame leaves in the back buffer: overlays, HUD, read-out, knob and cursor.
#include "game/frame_draw.h"

#include <allegro.h>

#include "game/scripted_play.h"
#include "platform/allegro/allegro_picture.h"
#include "sim/step.h"

namespace {

const LevelRecord kThreeBombs[] = {
    Rec(REC_BOMB, -2048, -2048, 0, 0, 4), Rec(REC_BOMB, -2048, -2048, 0, 0, 4), Rec(REC_BOMB, -2048, -2048, 0, 0, 4),
    Rec(REC_END),
};

class FrameDrawing : public FrameTest {
protected:
    int white = 0;
    int green = 0;

    void SetUp() override {
        FrameTest::SetUp();
        white = makecol(255, 255, 255);
        green = makecol(0, 255, 0);
        Start(kThreeBombs);
        io.MoveTo(600, 20);  // the cursor out of the way
    }
    int At(int x, int y) { return getpixel(Bitmap(Buffer()), x, y); }
    // True when every opaque pixel of sprite shows at (x, y) in the buffer.
    bool SpriteShownAt(Picture* picture, int x, int y) {
        BITMAP* sprite = Bitmap(picture);
        int opaque = 0, shown = 0;
        for (int sy = 0; sy < sprite->h; ++sy)
            for (int sx = 0; sx < sprite->w; ++sx) {
                const int c = getpixel(sprite, sx, sy);
                if (c == bitmap_mask_color(sprite)) continue;
                ++opaque;
                shown += At(x + sx, y + sy) == c;
            }
        return opaque > 0 && shown == opaque;
    }
    // Places bomb i at (X, Y) through the inventory and a drag; nothing stays selected.
    void Place(int i, int X, int Y) {
        TakeBomb(i);
        io.MoveTo(320, 240);
        io.buttons = kLeftButton;
        Frames();
        io.MoveTo(X, Y);
        Frames();
        io.buttons = 0;
        io.MoveTo(600, 20);
        Frames();
        world.SelectedBomb = nullptr;
        Frames();
    }
    bool Square(int X, int Y, int half, int colour) {
        for (int d = -half; d <= half; ++d) {
            if (At(X + d, Y - half) != colour || At(X + d, Y + half) != colour) return false;
            if (At(X - half, Y + d) != colour || At(X + half, Y + d) != colour) return false;
        }
        return true;
    }
};

TEST_F(FrameDrawing, HoverAndSelectionSquares) {
    Place(0, 200, 150);
    Place(1, 210, 150);
    EXPECT_FALSE(Square(200, 150, 16, white));
    io.MoveTo(199, 140);  // over both bombs, the cursor's picture inside both squares
    Frames();
    EXPECT_TRUE(Square(200, 150, 16, white));
    EXPECT_TRUE(Square(210, 150, 16, white));
    EXPECT_FALSE(Square(200, 150, 15, green));
    io.MoveTo(190, 140);  // over the first only
    Frames();
    EXPECT_TRUE(Square(200, 150, 16, white));
    EXPECT_FALSE(Square(210, 150, 16, white));

    world.SelectedBomb = world.BombList[0];
    io.MoveTo(600, 20);
    Frames();
    EXPECT_TRUE(Square(200, 150, 15, green));
    EXPECT_FALSE(Square(200, 150, 16, white));
    EXPECT_NE(At(200 - 16, 150 - 16), white);

    // Not in run mode.
    Tap(kKeySpace);
    EXPECT_FALSE(Square(200, 150, 15, green));
}

TEST_F(FrameDrawing, FuseLineOnlyOnceTheDragLeavesItsDeadZone) {
    Place(0, 200, 150);
    const auto lineShown = [&] {
        for (int x = 201; x < 210; ++x)
            if (At(x, 150) != white) return false;
        return true;
    };
    io.MoveTo(200, 150);
    io.buttons = kRightButton;
    Frames();
    io.MoveTo(210, 150);
    Frames();
    EXPECT_FALSE(state.hud.dragActive);
    EXPECT_FALSE(lineShown());
    io.MoveTo(240, 150);
    Frames();
    io.MoveTo(210, 150);
    Frames();
    EXPECT_TRUE(lineShown());
    io.buttons = 0;
    Frames();
    EXPECT_FALSE(lineShown());
}

TEST_F(FrameDrawing, FuseReadoutGlyphs) {
    const auto expect = [](int count, int n, int g0, int x0, int g1 = -1, int x1 = -1) {
        const FuseReadout r = FuseReadoutFor(count);
        EXPECT_EQ(r.count, n) << count;
        EXPECT_EQ(r.glyphs[0].glyph, g0) << count;
        EXPECT_EQ(r.glyphs[0].x, x0) << count;
        if (n == 2) {
            EXPECT_EQ(r.glyphs[1].glyph, g1) << count;
            EXPECT_EQ(r.glyphs[1].x, x1) << count;
        }
    };
    expect(6, 1, 0, 326);
    expect(14, 1, 0, 326);
    expect(15, 1, 11, 326);
    expect(45, 1, 13, 326);
    expect(60, 1, 1, 326);
    expect(75, 2, 1, 320, 11, 332);
    expect(119, 2, 1, 320, 13, 332);
    expect(540, 1, 9, 326);
    expect(585, 2, 9, 320, 13, 332);
    EXPECT_EQ(SliderKnobX(6), 381);
    EXPECT_EQ(SliderKnobX(75), 391);
    EXPECT_EQ(SliderKnobX(585), 459);
}

TEST_F(FrameDrawing, HudWithIconsReadoutAndKnob) {
    BITMAP* hudBitmap = Bitmap(Bitmaps().hud.get());
    const int top = EditHudTop();
    Frames();
    EXPECT_FALSE(SpriteShownAt(Bitmaps().timeGlyphs[1], 326, top + 12));  // nothing selected: no read-out
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(SpriteShownAt(Bitmaps().redBomb.get(), 108 + 40 * i, top + 12)) << i;

    TakeBomb(1);
    cBomb& b = *world.BombList[1];
    Apply(world, Command{Command::Kind::SetFuse, 0, 0, 0, 75});  // the selected bomb
    Frames();
    EXPECT_TRUE(SpriteShownAt(Bitmaps().redBomb.get(), 108, top + 12));
    EXPECT_FALSE(SpriteShownAt(Bitmaps().redBomb.get(), 148, top + 12));  // its slot stays empty
    EXPECT_TRUE(SpriteShownAt(Bitmaps().redBomb.get(), 188, top + 12));
    EXPECT_TRUE(SpriteShownAt(Bitmaps().timeGlyphs[1], 320, top + 12));
    EXPECT_TRUE(SpriteShownAt(Bitmaps().timeGlyphs[11], 332, top + 12));
    EXPECT_TRUE(SpriteShownAt(Bitmaps().slider.get(), 391, top + 13));

    // The HUD's top row lies at 480 - h in edit mode, 480 - h/2 in run mode.
    const auto hudRowAt = [&](int y) {
        for (int x = 0; x < 400; ++x)
            if (At(x, y) != getpixel(hudBitmap, x, 0)) return false;
        return true;
    };
    EXPECT_TRUE(hudRowAt(top));
    EXPECT_FALSE(hudRowAt(top - 1));
    io.MoveTo(600, 40);  // keep the cursor off the HUD's edges
    Tap(kKeySpace);  // Space keeps the selection: the read-out burns down in run mode
    const int runTop = 480 - hudBitmap->h / 2;
    EXPECT_TRUE(hudRowAt(runTop));
    EXPECT_FALSE(hudRowAt(runTop - 1));
    EXPECT_EQ(b.Count, 74);
    Frames(44);
    EXPECT_EQ(b.Count, 30);
    EXPECT_TRUE(SpriteShownAt(Bitmaps().timeGlyphs[12], 326, runTop + 12));
    EXPECT_TRUE(SpriteShownAt(Bitmaps().slider.get(), 385, runTop + 13));
}

TEST_F(FrameDrawing, CursorOpaqueInEditModeAGlowInRunModeFromTheToggleFrame) {
    Picture* cursor = Bitmaps().cursor.get();
    io.MoveTo(40, 60);
    Frames();
    EXPECT_TRUE(SpriteShownAt(cursor, 40, 60));
    io.Hold(kKeySpace);
    Frames();  // the toggle frame is drawn in run mode already
    EXPECT_FALSE(SpriteShownAt(cursor, 40, 60));
    // Additive: nothing gets darker than the background under it.
    BITMAP* background = Bitmap(Bitmaps().background.get());
    bool brighter = false;
    for (int y = 0; y < PictureHeight(cursor); ++y)
        for (int x = 0; x < PictureWidth(cursor); ++x) {
            const int under = getpixel(background, 40 + x, 60 + y);
            const int now = At(40 + x, 60 + y);
            EXPECT_GE(getr(now), getr(under));
            EXPECT_GE(getg(now), getg(under));
            EXPECT_GE(getb(now), getb(under));
            brighter = brighter || now != under;
        }
    EXPECT_TRUE(brighter);
}

}  // namespace
