// Edit-mode input through the real frame function: the HUD's controls, the
// inventory, both drags with their dead zones, nudges, fuse keys and number keys.
#include "game/hud_controls.h"

#include "game/scripted_play.h"
#include "sim/step.h"

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
    EXPECT_FALSE(world.BombPlaced[0]);
    ClickHud(136, 20);
    EXPECT_TRUE(world.BombPlaced[0]);
    EXPECT_EQ(world.SelectedBomb, world.BombList[0]);
}

TEST_F(HudControls, ABombIsUnderTheCursorInsideItsBoxOnly) {
    cBomb& b = *world.BombList[0];
    MoveBombTo(b, 100, 100);
    EXPECT_TRUE(BombUnderCursor(b, 88, 88));
    EXPECT_TRUE(BombUnderCursor(b, 111, 111));
    EXPECT_FALSE(BombUnderCursor(b, 112, 100));
    EXPECT_FALSE(BombUnderCursor(b, 100, 112));
    EXPECT_FALSE(BombUnderCursor(b, 87, 100));
}

// The fuse commands the HUD gives, as the step applies them to the selected bomb.
TEST_F(HudControls, FuseLimits) {
    cBomb& b = *world.BombList[0];
    world.SelectedBomb = &b;
    const auto set = [&](int v) { Apply(world, Command{Command::Kind::SetFuse, 0, 0, 0, v}); };
    const auto step = [&](int d) { Apply(world, Command{Command::Kind::StepFuse, 0, 0, 0, d}); };
    set(600);
    EXPECT_EQ(b.Fuse, 585);
    EXPECT_EQ(b.Count, 585);
    set(0);
    EXPECT_EQ(b.Fuse, 6);
    set(-40);
    EXPECT_EQ(b.Count, 6);
    step(-1);
    EXPECT_EQ(b.Fuse, 6);
    step(+1);
    EXPECT_EQ(b.Fuse, 15);
    step(-1);
    EXPECT_EQ(b.Fuse, 6);
    set(585);
    step(+1);
    EXPECT_EQ(b.Fuse, 585);
    set(70);  // a step works on whole quarters
    step(+1);
    EXPECT_EQ(b.Fuse, 75);
    EXPECT_EQ(b.Count, 75);
}

TEST_F(HudControls, InventoryBombsGoToTheCentreAndTheLaterOneIsPickedUp) {
    TakeBomb(0);
    TakeBomb(1);
    for (int i : {0, 1}) {
        EXPECT_EQ(world.BombList[i]->x, Fixed::FromInt(320));
        EXPECT_EQ(world.BombList[i]->y, Fixed::FromInt(240));
        EXPECT_EQ(world.BombList[i]->HomeX, 320);
        EXPECT_EQ(world.BombList[i]->HomeY, 240);
        EXPECT_EQ(world.BombList[i]->Fuse, 60);
    }
    EXPECT_FALSE(state.hud.leftDrag);
    EXPECT_EQ(world.SelectedBomb, world.BombList[1]);

    // A slot already emptied and a slot without a bomb are ignored.
    world.SelectedBomb = nullptr;
    TakeBomb(0);
    TakeBomb(3);
    EXPECT_EQ(world.SelectedBomb, nullptr);

    Hold(318, 245, kLeftButton);
    EXPECT_EQ(world.SelectedBomb, world.BombList[1]);
    EXPECT_TRUE(state.hud.leftDrag);
    EXPECT_EQ(state.hud.grabOffset.dx, 2);
    EXPECT_EQ(state.hud.grabOffset.dy, -5);
    Hold(100, 200, kLeftButton);  // the bomb keeps its grab offset
    EXPECT_EQ(world.BombList[1]->HomeX, 102);
    EXPECT_EQ(world.BombList[1]->HomeY, 195);
    EXPECT_EQ(world.BombList[1]->x, Fixed::FromInt(102));
    Hold(100, 200, 0);
    EXPECT_FALSE(state.hud.leftDrag);

    // A left press on empty play-field keeps the selection.
    Click(500, 100);
    EXPECT_EQ(world.SelectedBomb, world.BombList[1]);
}

TEST_F(HudControls, OnlyFiveBombsHaveSlots) {
    Start(kSixBombs);
    for (int k = 0; k < 6; ++k) TakeBomb(k);
    EXPECT_TRUE(world.BombPlaced[4]);
    EXPECT_FALSE(world.BombPlaced[5]);
    world.SelectedBomb = nullptr;
    io.Hold(KeyDigit(6));
    Frames();
    EXPECT_EQ(world.SelectedBomb, nullptr);
}

TEST_F(HudControls, ButtonsAndSliderSetTheSelectedFuse) {
    ClickHud(480, 24);  // plus, nothing selected: nothing happens
    EXPECT_EQ(world.BombList[0]->Fuse, 60);
    TakeBomb(0);
    cBomb& b = *world.BombList[0];
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
    cBomb& b = *world.BombList[0];
    world.SelectedBomb = nullptr;
    Hold(320, 240, kRightButton);
    EXPECT_TRUE(state.hud.fuseDrag);
    EXPECT_FALSE(state.hud.dragActive);
    EXPECT_EQ(world.SelectedBomb, &b);
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
    EXPECT_TRUE(world.EditMode);
}

TEST_F(HudControls, ARightPressDuringAMoveRestartsTheEightPixelDeadZone) {
    TakeBomb(0);
    cBomb& b = *world.BombList[0];
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
    EXPECT_EQ(b.Fuse, 15);    // the fuse at once: 14 pixels from (320, 240)
    Hold(333, 244, kLeftButton | kRightButton);
    EXPECT_EQ(b.HomeX, 328);
    EXPECT_EQ(b.HomeY, 241);
    // The fuse is measured from where the bomb was moved to in this very frame: 6 pixels.
    EXPECT_EQ(b.Fuse, 6);
}

TEST_F(HudControls, NudgeAndFuseKeysActOncePerPressFirstKeyOnly) {
    TakeBomb(0);
    cBomb& b = *world.BombList[0];
    b.x = b.x + Fixed::Raw(100);  // a fraction is dropped before the move
    b.y = b.y + Fixed::Raw(200);
    io.Hold(kKeyUp);
    Frames(3);
    EXPECT_EQ(b.x.raw, 320 * 256);
    EXPECT_EQ(b.y.raw, 239 * 256);
    EXPECT_EQ(b.HomeY, 239);
    io.Hold(kKeyDown);  // while up is still held: nothing
    Frames();
    EXPECT_EQ(b.HomeY, 239);
    io.Hold(kKeyUp, false);
    Frames();  // down alone, but the latch waits for every key to be up
    EXPECT_EQ(b.HomeY, 239);
    io.Hold(kKeyDown, false);
    Frames();
    Tap(kKeyDown);
    Tap(kKeyDown);
    EXPECT_EQ(b.HomeY, 241);
    EXPECT_EQ(b.y.raw, 241 * 256);
    Tap(kKeyLeft);
    EXPECT_EQ(b.HomeX, 319);
    Tap(kKeyRight);
    Tap(kKeyRight);
    EXPECT_EQ(b.HomeX, 321);
    EXPECT_EQ(b.x.raw, 321 * 256);

    Tap(kKeyEquals);
    EXPECT_EQ(b.Fuse, 75);
    Tap(kKeyPlusPad);
    EXPECT_EQ(b.Fuse, 90);
    Tap(kKeyMinus);
    Tap(kKeyMinusPad);
    EXPECT_EQ(b.Fuse, 60);
    io.Hold(kKeyUp);  // up before plus in the list: only the nudge happens
    io.Hold(kKeyEquals);
    Frames(2);
    EXPECT_EQ(b.Fuse, 60);
    EXPECT_EQ(b.HomeY, 240);

    // Without a selection the keys do nothing, but still latch.
    io.Hold(kKeyUp, false);
    io.Hold(kKeyEquals, false);
    Frames();
    world.SelectedBomb = nullptr;
    io.Hold(kKeyUp);
    Frames();
    world.SelectedBomb = &b;
    Frames();
    EXPECT_EQ(b.HomeY, 240);
}

TEST_F(HudControls, NumberKeysSelectPlacedBombsHighestWinsEveryFrame) {
    TakeBomb(0);
    TakeBomb(2);
    MoveBombTo(*world.BombList[0], 100, 100);
    io.Hold(KeyDigit(2));  // bomb 1 is still in the inventory
    Frames();
    EXPECT_EQ(world.SelectedBomb, world.BombList[2]);
    io.Hold(KeyDigit(1));
    Frames();
    EXPECT_EQ(world.SelectedBomb, world.BombList[0]);
    io.Hold(KeyDigit(3));
    Frames();
    EXPECT_EQ(world.SelectedBomb, world.BombList[2]);
    // Held, the key wins even over a click on another bomb in the same frame.
    Click(100, 100);
    EXPECT_EQ(world.SelectedBomb, world.BombList[2]);

    // A bomb taken out of its slot counts as placed in that very frame.
    io.keys.reset();
    io.Hold(KeyDigit(1));
    io.Hold(KeyDigit(2));
    io.MoveTo(160, EditHudTop() + 24);
    io.buttons = kLeftButton;
    Frames();
    EXPECT_EQ(world.SelectedBomb, world.BombList[1]);
}

TEST_F(HudControls, RunModeTakesNoInputAndMissesReleases) {
    TakeBomb(0);
    Hold(320, 240, kLeftButton);
    ASSERT_TRUE(state.hud.leftDrag);
    io.Hold(kKeySpace);
    Frames();
    io.Hold(kKeySpace, false);
    ASSERT_FALSE(world.EditMode);
    Hold(200, 200, 0);  // released in run mode: not seen
    ClickHud(160, 24);   // slot 1's place while the HUD hangs lower: nothing
    EXPECT_FALSE(world.BombPlaced[1]);
    Tap(kKeySpace);
    ASSERT_TRUE(world.EditMode);
    EXPECT_TRUE(state.hud.leftDrag);
    EXPECT_EQ(world.BombList[0]->HomeX, 320);
}

}  // namespace
