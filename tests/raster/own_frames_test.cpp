// Whole frames of the game drawn by Allegro and by the game's own drawing
// from the same state: the busiest scene (level 7 running with the ring of
// particles full), quiet edit-mode frames with the cursor moving, the HUD
// with each fuse read-out, the fuse-drag line and the hover squares, and
// every frame of the ten recorded solutions (the hamsters flying and turning,
// the completion banner), and the player's edition's screens. Only a turned hamster may be a few pixels apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "edition/result_screens.h"
#include "edition/set_menu.h"
#include "edition/settings_screen.h"
#include "edition/title_screen.h"

#include "game/drawn_run.h"
#include "game/scripted_play.h"
#include "packs/builtin_levels.h"
#include "platform/allegro/allegro_picture.h"
#include "raster/drawing_match.h"
#include "sim/fuse.h"
#include "sim/particles.h"
#include "sim/placement.h"
#include "sim/solutions_file.h"

namespace {

// A particle that stays on its first picture, somewhere on or just off the screen.
Particle Lasting(int i) {
    Particle p;
    p.x = Fixed::FromInt(-12 + (i * 37) % 664);
    p.y = Fixed::FromInt(-12 + (i * 53) % 504);
    p.life = p.delay = p.countdown = 1 << 30;
    p.strip = i % 3 == 0 ? Strip::Dust : Strip::Flare;
    p.additive = i % 5 != 0;
    return p;
}

class OwnFrames : public FrameTest {
protected:
    void TearDown() override {
        DrawEverythingWith(Drawer::Allegro);
        SetFastestSpriteLoop(SpriteLoop::Fastest);
        FrameTest::TearDown();
    }

    // The next frame drawn both ways from the same state; the play goes on
    // from the second. Returns how many pixels are apart.
    int FrameBothWays() {
        const GameState before = state;
        DrawEverythingWith(Drawer::Allegro);
        Frames();
        const std::vector<uint16_t> allegro = PixelsOf(Bitmap(Buffer()));
        state = before;
        DrawEverythingWith(Drawer::Own);
        Frames();
        ++frames;
        return Differing(allegro, PixelsOf(Bitmap(Buffer())));
    }
    // Only a turned hamster may be a few pixels apart.
    int Slack() const { return kTurnedSpriteSlack * world.HamsterCount; }
    int frames = 0;
};

TEST_F(OwnFrames, BusiestSceneQuietFramesAndTheHud) {
    Start(BuiltinLevels[6]);
    Place(world, {0, 440, 236, kShortestFuse});
    world.EditMode = false;
    for (int f = 0; f < 90; ++f) {
        if (f % 30 == 29) {
            world.ResetObjects();
            world.EditMode = false;
        }
        for (int i = 0; i < kParticleSlots; ++i)
            if (world.ParticlePool.slots[i].life == 0) world.ParticlePool.slots[i] = Lasting(i);
        io.MoveTo(f % 2 ? 636 - f % 9 : f * 5 % 640, f % 3 ? 476 - f % 7 : f * 4 % 480);
        ASSERT_LE(FrameBothWays(), Slack()) << "busiest frame " << f;
    }

    // Level 1 in edit mode: the cursor moving over the play-field, then a
    // bomb taken, dropped, its fuse dragged through every read-out.
    state = GameState{};
    Start(BuiltinLevels[0]);
    for (int f = 0; f < 40; ++f) {
        io.MoveTo(200 + f * 7, 100 + f * 3);
        ASSERT_EQ(FrameBothWays(), 0) << "quiet frame " << f;
    }
    TakeBomb(0);
    io.MoveTo(300, 200);
    ASSERT_EQ(FrameBothWays(), 0);
    io.buttons = kLeftButton;
    ASSERT_EQ(FrameBothWays(), 0);
    io.buttons = 0;
    ASSERT_EQ(FrameBothWays(), 0);
    for (int count = 0; count <= kLongestFuse; count += kQuarterSecond) {
        world.SelectedBomb->Count = count;
        io.MoveTo(300 + count % 13, 200);  // hovering over the bomb
        ASSERT_EQ(FrameBothWays(), 0) << "fuse " << count;
    }
    // The fuse dragged: the line from the bomb to the cursor, every way.
    state.hud.fuseDrag = true;
    state.hud.dragActive = true;
    io.buttons = kLeftButton;
    for (int f = 0; f < 64; ++f) {
        io.MoveTo(300 + (f % 8 - 4) * 37, 200 + (f / 8 - 4) * 29);
        state.hud.fuseDrag = state.hud.dragActive = true;
        ASSERT_EQ(FrameBothWays(), 0) << "drag " << f;
    }
}

TEST_F(OwnFrames, EveryFrameOfTheRecordedSolutions) {
    std::vector<RecordedSolution> solutions;
    std::string error;
    ASSERT_TRUE(ReadSolutionsFile(std::string(ZANDROVE_SOURCE_DIR) + "/tests/data/solutions.txt", solutions, error))
        << error;
    ASSERT_EQ(solutions.size(), 10u);
    int total = 0, count = 0, worst = 0;
    for (const RecordedSolution& s : solutions) {
        // Two runs of the same level, side by side: one drawn by Allegro, one the game's own way.
        DrawnRun allegro(BuiltinLevels[s.level - 1], s.bombs, Bitmaps());
        DrawnRun own(BuiltinLevels[s.level - 1], s.bombs, Bitmaps());
        const int slack = kTurnedSpriteSlack * own.State().world.HamsterCount;
        for (bool goOn = true; goOn;) {
            DrawEverythingWith(Drawer::Allegro);
            allegro.Next();
            const std::vector<uint16_t> pixels = PixelsOf(Bitmap(allegro.LastPicture()));
            DrawEverythingWith(Drawer::Own);
            goOn = own.Next();
            const int apart = Differing(pixels, PixelsOf(Bitmap(own.LastPicture())));
            ASSERT_LE(apart, slack) << "level " << s.level << " frame " << own.Frame();
            total += apart;
            worst = std::max(worst, apart);
            ++count;
        }
        EXPECT_EQ(own.Frame(), s.frame) << "level " << s.level;
        EXPECT_EQ(allegro.Frame(), s.frame) << "level " << s.level;
    }
    std::printf("recorded solutions: %d frames, %d pixels apart in all, at most %d in one\n", count, total, worst);
}

}  // namespace

// The player's edition's screens, which the web page draws its own way:
// the title (with a note), the settings, a result over a level, the end of
// the set. Boxes, shades and text must make the native pixels.
TEST_F(OwnFrames, TheEditionsScreens) {
    Start(BuiltinLevels[0]);
    Picture* buffer = Buffer();
    Frames();
    BITMAP* under = create_bitmap(PictureWidth(buffer), PictureHeight(buffer));
    auto bothWays = [&](const std::function<void()>& draw) {
        blit(Bitmap(buffer), under, 0, 0, 0, 0, under->w, under->h);
        DrawEverythingWith(Drawer::Allegro);
        draw();
        const std::vector<uint16_t> allegro = PixelsOf(Bitmap(buffer));
        blit(under, Bitmap(buffer), 0, 0, 0, 0, under->w, under->h);
        DrawEverythingWith(Drawer::Own);
        draw();
        return Differing(allegro, PixelsOf(Bitmap(buffer)));
    };
    edition::TitleScreen title;
    EXPECT_EQ(bothWays([&] {
                  title.Draw(buffer, Bitmaps(), edition::LabelOf(2, "Level 3"), "Second set", "a note: 100% kept");
              }),
              0);
    edition::SetMenu sets;
    sets.Show({{"First set", BuiltinLevelList()}}, Progress{}, 0);
    EXPECT_EQ(bothWays([&] { sets.Draw(buffer, Bitmaps()); }), 0);
    edition::SettingsScreen settings;
    EXPECT_EQ(bothWays([&] { settings.Draw(buffer, Bitmaps(), Settings{}); }), 0);
    edition::LevelResult result{0, edition::LabelOf(0, "Level 1"), 1, 351, true, std::nullopt};
    EXPECT_EQ(bothWays([&] { edition::DrawResult(buffer, result, false); }), 0);
    EXPECT_EQ(bothWays([&] { edition::DrawSetDone(buffer, Bitmaps(), {10, 7, 2, 9, 4000}); }), 0);
    destroy_bitmap(under);
}
