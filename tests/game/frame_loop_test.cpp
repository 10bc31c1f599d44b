// The frame function driven with scripted input: the edit/run toggle, the
// reset on return to edit mode, the completion countdown and the fuse hiss.
#include "sim/player.h"
#include "game/scripted_play.h"

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

cPlayer* Hamster() {
    for (cObject* o : ObjectList)
        if (o->Kind() == KIND_HAMSTER || o->Kind() == KIND_HAMSTER_FAST) return static_cast<cPlayer*>(o);
    return nullptr;
}

class Toggle : public FrameTest {};

TEST_F(Toggle, SpaceKeepsTheSelectionAndActsOncePerPress) {
    Start(kTwoBombs);
    TakeBomb(0);
    ASSERT_EQ(SelectedBomb, BombList[0]);
    io.Hold(KEY_SPACE);
    Frames();
    EXPECT_FALSE(EditMode);
    EXPECT_EQ(SelectedBomb, BombList[0]);
    Frames(5);  // still held: no second toggle
    EXPECT_FALSE(EditMode);
    io.Hold(KEY_SPACE, false);
    Frames();
    io.Hold(KEY_SPACE);
    Frames();
    EXPECT_TRUE(EditMode);
    EXPECT_EQ(SelectedBomb, BombList[0]);
}

TEST_F(Toggle, EscAndTheModeButtonClearTheSelection) {
    Start(kTwoBombs);
    TakeBomb(0);
    Tap(KEY_ESC);
    EXPECT_FALSE(EditMode);
    EXPECT_EQ(SelectedBomb, nullptr);
    Tap(KEY_ESC);
    EXPECT_TRUE(EditMode);

    io.Hold(KEY_1);  // selects the placed bomb
    Frames();
    io.Hold(KEY_1, false);
    ASSERT_EQ(SelectedBomb, BombList[0]);
    ClickHud(24, 24);  // the mode button
    EXPECT_FALSE(EditMode);
    EXPECT_EQ(SelectedBomb, nullptr);
    // In run mode the HUD takes no clicks: the mode button does nothing.
    Click(24, 480 - HudHeight() / 2 + 10);
    EXPECT_FALSE(EditMode);
}

TEST_F(Toggle, RightPressWithASelectionOnlyDeselects) {
    Start(kTwoBombs);
    TakeBomb(0);
    io.MoveTo(50, 50);  // empty play-field
    io.buttons = kRightButton;
    Frames(3);
    EXPECT_TRUE(EditMode);
    EXPECT_EQ(SelectedBomb, nullptr);
    io.buttons = 0;
    Frames();
    io.buttons = kRightButton;
    Frames();
    EXPECT_FALSE(EditMode);
    io.buttons = 0;
    Frames();

    // In run mode too: Space kept the selection, the right button drops it.
    Tap(KEY_SPACE);
    ASSERT_TRUE(EditMode);
    io.Hold(KEY_1);
    Tap(KEY_SPACE);
    io.Hold(KEY_1, false);
    ASSERT_FALSE(EditMode);
    ASSERT_EQ(SelectedBomb, BombList[0]);
    Click(50, 50, kRightButton);
    EXPECT_FALSE(EditMode);
    EXPECT_EQ(SelectedBomb, nullptr);
}

TEST_F(Toggle, RightPressOnABombStartsAFuseDragInsteadOfToggling) {
    Start(kTwoBombs);
    TakeBomb(0);
    SelectedBomb = nullptr;
    io.MoveTo(320, 240);
    io.buttons = kRightButton;
    Frames(2);
    EXPECT_TRUE(EditMode);
    EXPECT_TRUE(state.hud.fuseDrag);
    EXPECT_EQ(SelectedBomb, BombList[0]);
    io.buttons = 0;
    Frames();
    EXPECT_FALSE(state.hud.fuseDrag);
    EXPECT_TRUE(EditMode);
}

TEST_F(Toggle, ReturningToEditModeResetsEveryObject) {
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
    cBomb* bomb = BombList[0];
    ASSERT_EQ(bomb->HomeX, 80);
    ASSERT_EQ(bomb->HomeY, 110);
    SetFuse(*bomb, 30);

    Tap(KEY_SPACE);
    ASSERT_FALSE(EditMode);
    Frames(40);
    cPlayer* hamster = Hamster();
    ASSERT_TRUE(hamster->Blasted);
    EXPECT_NE(hamster->x, Fixed::FromInt(hamster->HomeX));
    EXPECT_EQ(bomb->Count, 0);
    EXPECT_EQ(BombList[1]->Count, 60 - 41);  // the unplaced bomb burns too

    Tap(KEY_SPACE);
    ASSERT_TRUE(EditMode);
    EXPECT_EQ(bomb->x, Fixed::FromInt(80));
    EXPECT_EQ(bomb->y, Fixed::FromInt(110));
    EXPECT_EQ(bomb->Count, 30);
    EXPECT_EQ(BombList[1]->Count, 60);
    EXPECT_EQ(BombList[1]->x, Fixed::FromInt(kInventoryHome));
    EXPECT_EQ(hamster->x, Fixed::FromInt(100));
    EXPECT_EQ(hamster->y, Fixed::FromInt(108));
    EXPECT_FALSE(hamster->Blasted);
    // The placements are kept.
    EXPECT_TRUE(BombPlaced[0]);
    EXPECT_FALSE(BombPlaced[1]);
}

class Completion : public FrameTest {
protected:
    // Banner pixels (not the mask colour) found in the back buffer at (left, top).
    int BannerPixelsShown(int left, int top) {
        BITMAP* banner = Bitmaps().complete.get();
        int n = 0;
        for (int y = 0; y < banner->h; ++y)
            for (int x = 0; x < banner->w; ++x) {
                const int c = getpixel(banner, x, y);
                if (c != bitmap_mask_color(banner) && getpixel(Buffer(), left + x, top + y) == c &&
                    getpixel(Bitmaps().background.get(), left + x, top + y) != c)
                    ++n;
            }
        return n;
    }
    int OpaqueBannerPixels() {
        BITMAP* banner = Bitmaps().complete.get();
        const int left = (640 - banner->w) / 2;
        const int top = (480 - banner->h) / 2;
        int n = 0;
        for (int y = 0; y < banner->h; ++y)
            for (int x = 0; x < banner->w; ++x) {
                const int c = getpixel(banner, x, y);
                n += c != bitmap_mask_color(banner) && getpixel(Bitmaps().background.get(), left + x, top + y) != c;
            }
        return n;
    }
};

TEST_F(Completion, ALevelWithoutHamstersEndsAfter121FramesEvenInEditMode) {
    Start(kNoHamster);
    EXPECT_TRUE(Frames());
    EXPECT_EQ(state.completeTimer, 120);
    EXPECT_TRUE(Frames(119));
    EXPECT_EQ(state.completeTimer, 1);
    EXPECT_FALSE(state.levelComplete);
    EXPECT_FALSE(Frames());
    EXPECT_TRUE(state.levelComplete);
    EXPECT_TRUE(EditMode);
    EXPECT_EQ(io.presented, 121);
}

TEST_F(Completion, CountdownPausesOutsideTheExitAndIsNotResetByToggling) {
    Start(kHamsterInExit);
    Tap(KEY_SPACE);  // run; the tap's second frame is the first counted
    ASSERT_FALSE(EditMode);
    Frames(119);  // the hamster touches its exit on 120 frames before it counts
    EXPECT_EQ(state.completeTimer, 0);
    Frames(20);
    EXPECT_EQ(state.completeTimer, 101);

    Tap(KEY_ESC);  // counts once more, then edit mode: nobody counts, the timer keeps its value
    ASSERT_TRUE(EditMode);
    Frames(50);
    EXPECT_EQ(state.completeTimer, 100);
    EXPECT_FALSE(state.levelComplete);

    Tap(KEY_SPACE);  // the hamster was reset and needs its 120 frames again
    Frames(119);
    EXPECT_EQ(state.completeTimer, 100);
    EXPECT_TRUE(Frames(99));
    EXPECT_EQ(state.completeTimer, 1);
    EXPECT_FALSE(Frames());
    EXPECT_TRUE(state.levelComplete);
}

TEST_F(Completion, BannerShowsCentredOnlyOnCountedFrames) {
    BITMAP* banner = Bitmaps().complete.get();
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
    Tap(KEY_SPACE);  // only unplaced bombs burn, off the field: silence
    Frames(3);
    EXPECT_FALSE(HissPlaying);
    Tap(KEY_SPACE);

    TakeBomb(0);
    io.Hold(KEY_SPACE);
    Frames();  // toggles after the hiss step: nothing burns yet
    EXPECT_FALSE(HissPlaying);
    io.Hold(KEY_SPACE, false);
    Frames();
    EXPECT_TRUE(HissPlaying);
    EXPECT_EQ(TimesPlayed(HissSample), 1);
    Frames(59);  // burns down to 0
    EXPECT_TRUE(HissPlaying);
    EXPECT_EQ(TimesPlayed(HissSample), 1);
    Frames();
    EXPECT_FALSE(HissPlaying);

    Tap(KEY_SPACE);  // back to edit mode, then run and return while it burns
    Tap(KEY_SPACE);
    EXPECT_TRUE(HissPlaying);
    io.Hold(KEY_ESC);
    Frames();
    EXPECT_TRUE(EditMode);
    Frames();
    EXPECT_FALSE(HissPlaying);
    EXPECT_EQ(TimesPlayed(HissSample), 2);
}

TEST_F(Hiss, StopsAtTheNextLevelStart) {
    Start(kTwoBombs);
    TakeBomb(0);
    Tap(KEY_SPACE);
    ASSERT_TRUE(HissPlaying);
    Start(kTwoBombs);
    EXPECT_FALSE(HissPlaying);
    EXPECT_FALSE(FuseBurning);
}

TEST_F(Toggle, HudDropsHalfOutOfViewFromTheFrameAfterTheToggle) {
    Start(kTwoBombs);
    Frames();
    EXPECT_EQ(state.hudTop, 480 - HudHeight());
    io.Hold(KEY_SPACE);
    Frames();
    EXPECT_EQ(state.hudTop, 480 - HudHeight());
    Frames();
    EXPECT_EQ(state.hudTop, 480 - HudHeight() / 2);
}

}  // namespace
