// Edit-mode input through the real frame function: the HUD's controls, the
// inventory, both drags with their dead zones, nudges, fuse keys and number keys.
#include "game/hud_controls.h"

#include "game/scripted_play.h"

namespace {

const LevelRecord kThreeBombs[] = {
    Rec(REC_BOMB, -2048, -2048, 0, 0, 4), Rec(REC_BOMB, -2048, -2048, 0, 0, 4), Rec(REC_BOMB, -2048, -2048, 0, 0, 4),
    Rec(REC_BLOCK, 10, 10), Rec(REC_END),
};
const LevelRecord kSixBombs[] = {
    Rec(REC_BOMB), Rec(REC_BOMB), Rec(REC_BOMB), Rec(REC_BOMB), Rec(REC_BOMB), Rec(REC_BOMB), Rec(REC_BLOCK, 10, 10),
    Rec(REC_END),
};

class HudControls : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        Start(kThreeBombs);
    }
    void MoveBombTo(cBomb& b, int X, int Y) {
        b.x = Fixed::FromInt(X);
        b.y = Fixed::FromInt(Y);
        b.HomeX = static_cast<short>(X);
        b.HomeY = static_cast<short>(Y);
    }
    void Hold(int x, int y, int buttons) {
        io.MoveTo(x, y);
        io.buttons = buttons;
        Frames();
    }
};

TEST_F(HudControls, ControlsExcludeTheirLeftColumnAndTopRow) {
    const Box slot0 = hud::InventorySlot(0);
    EXPECT_FALSE(HitsControl(HudPoint(104, 20, 0), slot0));
    EXPECT_TRUE(HitsControl(HudPoint(136, 20, 0), slot0));
    EXPECT_TRUE(HitsControl(HudPoint(105, 9, 0), slot0));
    EXPECT_FALSE(HitsControl(HudPoint(105, 8, 0), slot0));
    EXPECT_FALSE(HitsControl(HudPoint(137, 20, 0), slot0));
    EXPECT_TRUE(HitsControl(HudPoint(105, 40, 0), slot0));
    EXPECT_FALSE(HitsControl(HudPoint(105, 41, 0), slot0));
    // Measured from the HUD's top edge.
    EXPECT_TRUE(HitsControl(HudPoint(105, 384 + 9, 384), slot0));

    // The same through the frame: only the clicks inside take the bomb.
    ClickHud(104, 20);
    ClickHud(120, 8);
    EXPECT_FALSE(BombPlaced[0]);
    ClickHud(136, 20);
    EXPECT_TRUE(BombPlaced[0]);
    EXPECT_EQ(SelectedBomb, BombList[0]);
}

TEST_F(HudControls, ABombIsUnderTheCursorInsideItsBoxOnly) {
    cBomb& b = *BombList[0];
    MoveBombTo(b, 100, 100);
    EXPECT_TRUE(BombUnderCursor(b, 88, 88));
    EXPECT_TRUE(BombUnderCursor(b, 111, 111));
    EXPECT_FALSE(BombUnderCursor(b, 112, 100));
    EXPECT_FALSE(BombUnderCursor(b, 100, 112));
    EXPECT_FALSE(BombUnderCursor(b, 87, 100));
}

TEST_F(HudControls, FuseLimits) {
    cBomb& b = *BombList[0];
    SetFuse(b, 600);
    EXPECT_EQ(b.Fuse, 585);
    EXPECT_EQ(b.Count, 585);
    SetFuse(b, 0);
    EXPECT_EQ(b.Fuse, 6);
    SetFuse(b, -40);
    EXPECT_EQ(b.Count, 6);
    StepFuse(b, -1);
    EXPECT_EQ(b.Fuse, 6);
    StepFuse(b, +1);
    EXPECT_EQ(b.Fuse, 15);
    StepFuse(b, -1);
    EXPECT_EQ(b.Fuse, 6);
    SetFuse(b, 585);
    StepFuse(b, +1);
    EXPECT_EQ(b.Fuse, 585);
    SetFuse(b, 70);  // a step works on whole quarters
    StepFuse(b, +1);
    EXPECT_EQ(b.Fuse, 75);
    EXPECT_EQ(b.Count, 75);
}

TEST_F(HudControls, InventoryBombsGoToTheCentreAndTheLaterOneIsPickedUp) {
    TakeBomb(0);
    TakeBomb(1);
    for (int i : {0, 1}) {
        EXPECT_EQ(BombList[i]->x, Fixed::FromInt(320));
        EXPECT_EQ(BombList[i]->y, Fixed::FromInt(240));
        EXPECT_EQ(BombList[i]->HomeX, 320);
        EXPECT_EQ(BombList[i]->HomeY, 240);
        EXPECT_EQ(BombList[i]->Fuse, 60);
    }
    EXPECT_FALSE(state.hud.leftDrag);
    EXPECT_EQ(SelectedBomb, BombList[1]);

    // A slot already emptied and a slot without a bomb are ignored.
    SelectedBomb = nullptr;
    TakeBomb(0);
    TakeBomb(3);
    EXPECT_EQ(SelectedBomb, nullptr);

    Hold(318, 245, kLeftButton);
    EXPECT_EQ(SelectedBomb, BombList[1]);
    EXPECT_TRUE(state.hud.leftDrag);
    EXPECT_EQ(state.hud.grabOffset.dx, 2);
    EXPECT_EQ(state.hud.grabOffset.dy, -5);
    Hold(100, 200, kLeftButton);  // the bomb keeps its grab offset
    EXPECT_EQ(BombList[1]->HomeX, 102);
    EXPECT_EQ(BombList[1]->HomeY, 195);
    EXPECT_EQ(BombList[1]->x, Fixed::FromInt(102));
    Hold(100, 200, 0);
    EXPECT_FALSE(state.hud.leftDrag);

    // A left press on empty play-field keeps the selection.
    Click(500, 100);
    EXPECT_EQ(SelectedBomb, BombList[1]);
}

TEST_F(HudControls, OnlyFiveBombsHaveSlots) {
    Start(kSixBombs);
    for (int k = 0; k < 6; ++k) TakeBomb(k);
    EXPECT_TRUE(BombPlaced[4]);
    EXPECT_FALSE(BombPlaced[5]);
    SelectedBomb = nullptr;
    io.Hold(KEY_6);
    Frames();
    EXPECT_EQ(SelectedBomb, nullptr);
}

TEST_F(HudControls, ButtonsAndSliderSetTheSelectedFuse) {
    ClickHud(480, 24);  // plus, nothing selected: nothing happens
    EXPECT_EQ(BombList[0]->Fuse, 60);
    TakeBomb(0);
    cBomb& b = *BombList[0];
    ClickHud(480, 24);
    EXPECT_EQ(b.Fuse, 75);
    ClickHud(368, 24);
    ClickHud(368, 24);
    EXPECT_EQ(b.Fuse, 45);
    EXPECT_EQ(b.Count, 45);

    const int top = EditHudTop();
    Hold(385, top + 20, kLeftButton);
    EXPECT_EQ(b.Fuse, 6);
    Hold(386, top + 20, kLeftButton);  // dragging along the slider sweeps the fuse
    EXPECT_EQ(b.Fuse, 15);
    Hold(389, top + 20, kLeftButton);
    EXPECT_EQ(b.Fuse, 30);
    Hold(463, top + 20, kLeftButton);
    EXPECT_EQ(b.Fuse, 585);
    Hold(384, top + 20, kLeftButton);  // outside the slider
    EXPECT_EQ(b.Fuse, 585);
    Hold(384, top + 20, 0);
    EXPECT_EQ(SliderFuse(462), 585);
    EXPECT_EQ(SliderFuse(387), 15);
}

TEST_F(HudControls, FuseDragMapsDistanceToQuarters) {
    TakeBomb(0);
    cBomb& b = *BombList[0];
    SelectedBomb = nullptr;
    Hold(320, 240, kRightButton);
    EXPECT_TRUE(state.hud.fuseDrag);
    EXPECT_FALSE(state.hud.dragActive);
    EXPECT_EQ(SelectedBomb, &b);
    Hold(332, 240, kRightButton);  // 12 pixels: still in the dead zone
    EXPECT_FALSE(state.hud.dragActive);
    Hold(332, 241, kRightButton);  // leaves it; the fuse follows from the next frame
    EXPECT_TRUE(state.hud.dragActive);
    EXPECT_EQ(b.Fuse, 60);
    Hold(327, 240, kRightButton);
    EXPECT_EQ(b.Fuse, 6);
    Hold(328, 240, kRightButton);
    EXPECT_EQ(b.Fuse, 15);
    Hold(325, 246, kRightButton);  // sqrt(61) rounds up to 8
    EXPECT_EQ(b.Fuse, 15);
    Hold(320, 256, kRightButton);
    EXPECT_EQ(b.Fuse, 30);
    Hold(0, 240, kRightButton);
    EXPECT_EQ(b.Fuse, 585);
    EXPECT_EQ(b.HomeX, 320);  // a fuse drag never moves the bomb
    Hold(0, 240, 0);
    EXPECT_FALSE(state.hud.fuseDrag);
    EXPECT_TRUE(EditMode);
}

TEST_F(HudControls, ARightPressDuringAMoveRestartsTheEightPixelDeadZone) {
    TakeBomb(0);
    cBomb& b = *BombList[0];
    Hold(325, 243, kLeftButton);  // grab point (325, 243)
    Hold(325, 243, kLeftButton | kRightButton);
    EXPECT_TRUE(state.hud.leftDrag);
    EXPECT_TRUE(state.hud.fuseDrag);
    EXPECT_FALSE(state.hud.dragActive);
    Hold(333, 243, kLeftButton | kRightButton);
    EXPECT_FALSE(state.hud.dragActive);
    EXPECT_EQ(b.HomeX, 320);
    Hold(333, 244, kLeftButton | kRightButton);
    EXPECT_TRUE(state.hud.dragActive);
    EXPECT_EQ(b.HomeX, 320);  // the move starts in the next frame
    Hold(333, 244, kLeftButton | kRightButton);
    EXPECT_EQ(b.HomeX, 328);
    EXPECT_EQ(b.HomeY, 241);
}

TEST_F(HudControls, NudgeAndFuseKeysActOncePerPressFirstKeyOnly) {
    TakeBomb(0);
    cBomb& b = *BombList[0];
    b.x = b.x + Fixed::Raw(100);  // a fraction is dropped before the move
    b.y = b.y + Fixed::Raw(200);
    io.Hold(KEY_UP);
    Frames(3);
    EXPECT_EQ(b.x.raw, 320 * 256);
    EXPECT_EQ(b.y.raw, 239 * 256);
    EXPECT_EQ(b.HomeY, 239);
    io.Hold(KEY_DOWN);  // while up is still held: nothing
    Frames();
    EXPECT_EQ(b.HomeY, 239);
    io.Hold(KEY_UP, false);
    Frames();  // down alone, but the latch waits for every key to be up
    EXPECT_EQ(b.HomeY, 239);
    io.Hold(KEY_DOWN, false);
    Frames();
    Tap(KEY_DOWN);
    Tap(KEY_DOWN);
    EXPECT_EQ(b.HomeY, 241);
    EXPECT_EQ(b.y.raw, 241 * 256);
    Tap(KEY_LEFT);
    EXPECT_EQ(b.HomeX, 319);
    Tap(KEY_RIGHT);
    Tap(KEY_RIGHT);
    EXPECT_EQ(b.HomeX, 321);
    EXPECT_EQ(b.x.raw, 321 * 256);

    Tap(KEY_EQUALS);
    EXPECT_EQ(b.Fuse, 75);
    Tap(KEY_PLUS_PAD);
    EXPECT_EQ(b.Fuse, 90);
    Tap(KEY_MINUS);
    Tap(KEY_MINUS_PAD);
    EXPECT_EQ(b.Fuse, 60);
    io.Hold(KEY_UP);  // up before plus in the list: only the nudge happens
    io.Hold(KEY_EQUALS);
    Frames(2);
    EXPECT_EQ(b.Fuse, 60);
    EXPECT_EQ(b.HomeY, 240);

    // Without a selection the keys do nothing, but still latch.
    io.Hold(KEY_UP, false);
    io.Hold(KEY_EQUALS, false);
    Frames();
    SelectedBomb = nullptr;
    io.Hold(KEY_UP);
    Frames();
    SelectedBomb = &b;
    Frames();
    EXPECT_EQ(b.HomeY, 240);
}

TEST_F(HudControls, NumberKeysSelectPlacedBombsHighestWinsEveryFrame) {
    TakeBomb(0);
    TakeBomb(2);
    MoveBombTo(*BombList[0], 100, 100);
    io.Hold(KEY_2);  // bomb 1 is still in the inventory
    Frames();
    EXPECT_EQ(SelectedBomb, BombList[2]);
    io.Hold(KEY_1);
    Frames();
    EXPECT_EQ(SelectedBomb, BombList[0]);
    io.Hold(KEY_3);
    Frames();
    EXPECT_EQ(SelectedBomb, BombList[2]);
    // Held, the key wins even over a click on another bomb in the same frame.
    Click(100, 100);
    EXPECT_EQ(SelectedBomb, BombList[2]);
}

TEST_F(HudControls, RunModeTakesNoInputAndMissesReleases) {
    TakeBomb(0);
    Hold(320, 240, kLeftButton);
    ASSERT_TRUE(state.hud.leftDrag);
    io.Hold(KEY_SPACE);
    Frames();
    io.Hold(KEY_SPACE, false);
    ASSERT_FALSE(EditMode);
    Hold(200, 200, 0);  // released in run mode: not seen
    ClickHud(160, 24);   // slot 1's place while the HUD hangs lower: nothing
    EXPECT_FALSE(BombPlaced[1]);
    Tap(KEY_SPACE);
    ASSERT_TRUE(EditMode);
    EXPECT_TRUE(state.hud.leftDrag);
    EXPECT_EQ(BombList[0]->HomeX, 320);
}

}  // namespace
