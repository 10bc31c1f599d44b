// The frame function driven with scripted input: the edit/run toggle, the
// reset on return to edit mode, the completion countdown and the fuse hiss.
#include <allegro.h>

#include "game/game_flow.h"
#include "game/scripted_play.h"
#include "platform/allegro/allegro_picture.h"
#include "sim/player.h"
#include "sim/step.h"

namespace {

// Two inventory bombs and a hamster standing on two blocks, its exit far away.
const LevelRecord kTwoBombs[] = {
    Rec(REC_BOMB, -2048, -2048, 0, 0, 4), Rec(REC_BOMB, -2048, -2048, 0, 0, 4), Rec(REC_HAMSTER, 100, 104),
    Rec(REC_BLOCK, 90, 130), Rec(REC_BLOCK, 110, 130), Rec(REC_EXIT, 500, 100, 40, 40), Rec(REC_END),
};
// The hamster stands inside its exit: it counts from its 121st run-mode frame.
const LevelRecord kHamsterInExit[] = {
    Rec(REC_HAMSTER, 100, 104), Rec(REC_BLOCK, 90, 130), Rec(REC_BLOCK, 110, 130), Rec(REC_EXIT, 80, 90, 40, 30),
    Rec(REC_END),
};
const LevelRecord kNoHamster[] = {Rec(REC_BLOCK, 10, 10), Rec(REC_END)};

cPlayer* Hamster(World& world) {
    for (cObject* o : world.ObjectList)
        if (o->Kind() == KIND_HAMSTER || o->Kind() == KIND_HAMSTER_FAST) return static_cast<cPlayer*>(o);
    return nullptr;
}

class ModeToggle : public FrameTest {};

TEST_F(ModeToggle, SpaceKeepsTheSelectionAndActsOncePerPress) {
    Start(kTwoBombs);
    TakeBomb(0);
    ASSERT_EQ(world.SelectedBomb, world.BombList[0]);
    io.Hold(kKeySpace);
    Frames();
    EXPECT_FALSE(world.EditMode);
    EXPECT_EQ(world.SelectedBomb, world.BombList[0]);
    Frames(5);  // still held: no second toggle
    EXPECT_FALSE(world.EditMode);
    io.Hold(kKeySpace, false);
    Frames();
    io.Hold(kKeySpace);
    Frames();
    EXPECT_TRUE(world.EditMode);
    EXPECT_EQ(world.SelectedBomb, world.BombList[0]);
}

TEST_F(ModeToggle, EscAndTheModeButtonClearTheSelection) {
    Start(kTwoBombs);
    TakeBomb(0);
    Tap(kKeyEsc);
    EXPECT_FALSE(world.EditMode);
    EXPECT_EQ(world.SelectedBomb, nullptr);
    Tap(kKeyEsc);
    EXPECT_TRUE(world.EditMode);

    io.Hold(KeyDigit(1));  // selects the placed bomb
    Frames();
    io.Hold(KeyDigit(1), false);
    ASSERT_EQ(world.SelectedBomb, world.BombList[0]);
    ClickHud(24, 24);  // the mode button
    EXPECT_FALSE(world.EditMode);
    EXPECT_EQ(world.SelectedBomb, nullptr);
    // In run mode the HUD takes no clicks: the mode button does nothing.
    Click(24, 480 - HudHeight() / 2 + 10);
    EXPECT_FALSE(world.EditMode);
}

TEST_F(ModeToggle, RightPressWithASelectionOnlyDeselects) {
    Start(kTwoBombs);
    TakeBomb(0);
    io.MoveTo(50, 50);  // empty play-field
    io.buttons = kRightButton;
    Frames(3);
    EXPECT_TRUE(world.EditMode);
    EXPECT_EQ(world.SelectedBomb, nullptr);
    io.buttons = 0;
    Frames();
    io.buttons = kRightButton;
    Frames();
    EXPECT_FALSE(world.EditMode);
    io.buttons = 0;
    Frames();

    // In run mode too: Space kept the selection, the right button drops it.
    Tap(kKeySpace);
    ASSERT_TRUE(world.EditMode);
    io.Hold(KeyDigit(1));
    Tap(kKeySpace);
    io.Hold(KeyDigit(1), false);
    ASSERT_FALSE(world.EditMode);
    ASSERT_EQ(world.SelectedBomb, world.BombList[0]);
    Click(50, 50, kRightButton);
    EXPECT_FALSE(world.EditMode);
    EXPECT_EQ(world.SelectedBomb, nullptr);
}

TEST_F(ModeToggle, RightPressOnABombStartsAFuseDragInsteadOfToggling) {
    Start(kTwoBombs);
    TakeBomb(0);
    world.SelectedBomb = nullptr;
    io.MoveTo(320, 240);
    io.buttons = kRightButton;
    Frames(2);
    EXPECT_TRUE(world.EditMode);
    EXPECT_TRUE(state.hud.fuseDrag);
    EXPECT_EQ(world.SelectedBomb, world.BombList[0]);
    io.buttons = 0;
    Frames();
    EXPECT_FALSE(state.hud.fuseDrag);
    EXPECT_TRUE(world.EditMode);
}

TEST_F(ModeToggle, ReturningToEditModeResetsEveryObject) {
    Start(kTwoBombs);
    TakeBomb(0);
    // Drag it beside the hamster: from (320, 240) to (80, 110).
    io.MoveTo(320, 240);
    io.buttons = kLeftButton;
    Frames();
    io.MoveTo(80, 110);
    Frames();
    io.buttons = 0;
    Frames();
    cBomb* bomb = world.BombList[0];
    ASSERT_EQ(bomb->HomeX, 80);
    ASSERT_EQ(bomb->HomeY, 110);
    Apply(world, Command{Command::Kind::SetFuse, 0, 0, 0, 30});  // the selected bomb

    Tap(kKeySpace);
    ASSERT_FALSE(world.EditMode);
    Frames(40);
    cPlayer* hamster = Hamster(world);
    ASSERT_TRUE(hamster->Blasted);
    EXPECT_NE(hamster->x, Fixed::FromInt(hamster->HomeX));
    EXPECT_EQ(bomb->Count, 0);
    EXPECT_EQ(world.BombList[1]->Count, 60 - 41);  // the unplaced bomb burns too

    Tap(kKeySpace);
    ASSERT_TRUE(world.EditMode);
    EXPECT_EQ(bomb->x, Fixed::FromInt(80));
    EXPECT_EQ(bomb->y, Fixed::FromInt(110));
    EXPECT_EQ(bomb->Count, 30);
    EXPECT_EQ(world.BombList[1]->Count, 60);
    EXPECT_EQ(world.BombList[1]->x, Fixed::FromInt(kInventoryHome));
    EXPECT_EQ(hamster->x, Fixed::FromInt(100));
    EXPECT_EQ(hamster->y, Fixed::FromInt(108));
    EXPECT_FALSE(hamster->Blasted);
    // The placements are kept.
    EXPECT_TRUE(world.BombPlaced[0]);
    EXPECT_FALSE(world.BombPlaced[1]);
}

class Completion : public FrameTest {
protected:
    // Banner pixels (not the mask colour) found in the back buffer at (left, top).
    int BannerPixelsShown(int left, int top) {
        int n = 0;
        for (int y = 0; y < banner->h; ++y)
            for (int x = 0; x < banner->w; ++x) {
                const int c = getpixel(banner, x, y);
                if (c != bitmap_mask_color(banner) && getpixel(Bitmap(Buffer()), left + x, top + y) == c &&
                    getpixel(background, left + x, top + y) != c)
                    ++n;
            }
        return n;
    }
    int OpaqueBannerPixels() {
        const int left = (640 - banner->w) / 2;
        const int top = (480 - banner->h) / 2;
        int n = 0;
        for (int y = 0; y < banner->h; ++y)
            for (int x = 0; x < banner->w; ++x) {
                const int c = getpixel(banner, x, y);
                n += c != bitmap_mask_color(banner) && getpixel(background, left + x, top + y) != c;
            }
        return n;
    }

    BITMAP* banner = Bitmap(Bitmaps().complete.get());
    BITMAP* background = Bitmap(Bitmaps().background.get());
};

TEST_F(Completion, ALevelWithoutHamstersEndsAfter121FramesEvenInEditMode) {
    Start(kNoHamster);
    EXPECT_TRUE(Frames());
    EXPECT_EQ(world.CompleteTimer, 120);
    EXPECT_TRUE(Frames(119));
    EXPECT_EQ(world.CompleteTimer, 1);
    EXPECT_FALSE(world.LevelComplete);
    EXPECT_FALSE(Frames());
    EXPECT_TRUE(world.LevelComplete);
    EXPECT_TRUE(world.EditMode);
    EXPECT_EQ(io.presented, 121);
}

TEST_F(Completion, CountdownPausesOutsideTheExitAndIsNotResetByToggling) {
    Start(kHamsterInExit);
    Tap(kKeySpace);  // run; the tap's second frame is the first counted
    ASSERT_FALSE(world.EditMode);
    Frames(119);  // the hamster touches its exit on 120 frames before it counts
    EXPECT_EQ(world.CompleteTimer, 0);
    Frames(20);
    EXPECT_EQ(world.CompleteTimer, 101);

    Tap(kKeyEsc);  // counts once more, then edit mode: nobody counts, the timer keeps its value
    ASSERT_TRUE(world.EditMode);
    Frames(50);
    EXPECT_EQ(world.CompleteTimer, 100);
    EXPECT_FALSE(world.LevelComplete);

    Tap(kKeySpace);  // the hamster was reset and needs its 120 frames again
    Frames(119);
    EXPECT_EQ(world.CompleteTimer, 100);
    EXPECT_TRUE(Frames(99));
    EXPECT_EQ(world.CompleteTimer, 1);
    EXPECT_FALSE(Frames());
    EXPECT_TRUE(world.LevelComplete);
}

TEST_F(Completion, BannerShowsCentredOnlyOnCountedFrames) {
    const int left = (640 - banner->w) / 2;
    const int top = (480 - banner->h) / 2;
    Start(kHamsterInExit);  // in edit mode nobody counts
    Frames();
    EXPECT_EQ(BannerPixelsShown(left, top), 0);
    Start(kNoHamster);
    Frames();
    EXPECT_EQ(BannerPixelsShown(left, top), OpaqueBannerPixels());
}

class Hiss : public FrameTest {};

TEST_F(Hiss, FollowsFusesBurningOnThePlayField) {
    Start(kTwoBombs);
    Tap(kKeySpace);  // only unplaced bombs burn, off the field: silence
    Frames(3);
    EXPECT_FALSE(state.hissPlaying);
    Tap(kKeySpace);

    TakeBomb(0);
    io.Hold(kKeySpace);
    Frames();  // toggles after the hiss step: nothing burns yet
    EXPECT_FALSE(state.hissPlaying);
    io.Hold(kKeySpace, false);
    Frames();
    EXPECT_TRUE(state.hissPlaying);
    EXPECT_EQ(TimesPlayed(SoundId::Hiss), 1);
    Frames(59);  // burns down to 0
    EXPECT_TRUE(state.hissPlaying);
    EXPECT_EQ(TimesPlayed(SoundId::Hiss), 1);
    Frames();
    EXPECT_FALSE(state.hissPlaying);

    Tap(kKeySpace);  // back to edit mode, then run and return while it burns
    Tap(kKeySpace);
    EXPECT_TRUE(state.hissPlaying);
    io.Hold(kKeyEsc);
    Frames();
    EXPECT_TRUE(world.EditMode);
    Frames();
    EXPECT_FALSE(state.hissPlaying);
    EXPECT_EQ(TimesPlayed(SoundId::Hiss), 2);
}

// A level may end while a fuse burns: the next one starts in silence.
TEST_F(Hiss, StopsAtTheNextLevelStart) {
    // No hamster: complete after 121 frames, whatever burns.
    const LevelRecord burning[] = {Rec(REC_BOMB, -2048, -2048, 0, 0, 4), Rec(REC_BLOCK, 10, 10), Rec(REC_END)};
    struct : LevelHooks {
        std::vector<bool> hissAtStart;
        void LevelStarted(GameState& s) override { hissAtStart.push_back(s.hissPlaying); }
    } hooks;
    io.script = [&](ScriptedIo& s, int frame) {
        // The bomb taken out of slot 0, its fuse set to 150 frames on the slider, and run.
        s.buttons = frame == 0 || frame == 2 ? kLeftButton : 0;
        s.MoveTo(frame < 2 ? 120 : 404, EditHudTop() + 24);
        s.Hold(kKeySpace, frame == 4);
        s.Hold(kKeyF10, frame == 125);
    };
    PlayLevels(state, LevelsOf({burning, kNoHamster}), Bitmaps(), io, 0, &hooks);
    ASSERT_EQ(io.presented, 126);
    EXPECT_EQ(hooks.hissAtStart, (std::vector<bool>{false, false}));
    EXPECT_EQ(TimesPlayed(SoundId::Hiss), 1);
    EXPECT_EQ(std::count(io.stopped.begin(), io.stopped.end(), Bitmaps().SoundFor(SoundId::Hiss)), 1);
    EXPECT_FALSE(world.FuseBurning);
}

TEST_F(ModeToggle, HudDropsHalfOutOfViewFromTheFrameAfterTheToggle) {
    Start(kTwoBombs);
    Frames();
    EXPECT_EQ(state.hudTop, 480 - HudHeight());
    io.Hold(kKeySpace);
    Frames();
    EXPECT_EQ(state.hudTop, 480 - HudHeight());
    Frames();
    EXPECT_EQ(state.hudTop, 480 - HudHeight() / 2);
}

}  // namespace
