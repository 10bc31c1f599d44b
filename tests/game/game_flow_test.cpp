// The level sequence driven by scripted input, from the first frame to the
// end of the game.
#include <vector>

#include "packs/level_table.h"
#include "game/game_flow.h"
#include "game/scripted_play.h"

namespace {

const LevelRecord kOneBlock[] = {Rec(REC_BLOCK, 10, 10), Rec(REC_END)};
const LevelRecord kTwoBlocks[] = {Rec(REC_BLOCK, 10, 10), Rec(REC_BLOCK, 30, 10), Rec(REC_END)};
// A bomb to place and a hamster far from its exit: this level never ends by itself.
const LevelRecord kBombLevel[] = {
    Rec(REC_BOMB, -2048, -2048, 0, 0, 4), Rec(REC_HAMSTER, 100, 104), Rec(REC_BLOCK, 90, 130),
    Rec(REC_BLOCK, 110, 130), Rec(REC_EXIT, 500, 100, 40, 40), Rec(REC_END),
};

class GameFlow : public FrameTest {
protected:
    const LevelRecord* const* savedTable = nullptr;
    int savedCount = 0;

    void SetUp() override {
        FrameTest::SetUp();
        savedTable = LevelTable;
        savedCount = LevelCount;
    }
    void TearDown() override {
        LevelTable = savedTable;
        LevelCount = savedCount;
        FrameTest::TearDown();
    }
    void Play(const LevelRecord* const* table, int count) {
        LevelTable = table;
        LevelCount = count;
        PlayLevels(state, Bitmaps(), io);
    }
    int HudY(int y) { return EditHudTop() + y; }
};

TEST_F(GameFlow, NoLevelOrAQuitBeforeTheFirstFrameDrawsNothing) {
    const LevelRecord* table[] = {kOneBlock};
    Play(table, 0);
    EXPECT_EQ(io.presented, 0);
    io.closeRequested = true;
    Play(table, 1);
    EXPECT_EQ(io.presented, 0);
}

TEST_F(GameFlow, PlaysTheLevelsInOrderAndEndsAfterTheLast) {
    const LevelRecord* table[] = {kTwoBlocks, kOneBlock};
    std::vector<size_t> objectsSeen;
    io.script = [&](ScriptedIo&, int frame) {
        if (frame == 0 || frame == 121) objectsSeen.push_back(ObjectList.size());
    };
    Play(table, 2);
    EXPECT_EQ(io.presented, 242);  // 121 frames each: neither has a hamster
    EXPECT_EQ(objectsSeen, (std::vector<size_t>{2, 1}));
    EXPECT_EQ(state.levelIndex, 2);
    EXPECT_TRUE(EditMode);
    EXPECT_EQ(ObjectList[0], nullptr);  // destroyed at level end
}

// The hooks around the levels, as the chooser and kept progress use them:
// told of each level's start, shown every frame (the last one too), able to
// end a level early and to choose the one that follows.
TEST_F(GameFlow, HooksSeeEveryLevelAndFrameAndChooseTheNextLevel) {
    struct Recorder : LevelHooks {
        std::vector<int> started;
        int frames = 0;
        bool left = false;
        void LevelStarted(ShellState& s) override { started.push_back(s.levelIndex); }
        bool AfterFrame(ShellState& s, const ShellBitmaps&, FrameIo&) override {
            ++frames;
            // Level 3 left once, after 10 frames, for level 1.
            if (left || s.levelIndex != 2 || frames < 121 + 10) return true;
            left = true;
            s.nextLevel = 0;
            return false;
        }
    } hooks;
    const LevelRecord* table[] = {kOneBlock, kOneBlock, kTwoBlocks};
    LevelTable = table;
    LevelCount = 3;
    PlayLevels(state, Bitmaps(), io, 1, &hooks);
    EXPECT_EQ(hooks.started, (std::vector<int>{1, 2, 0, 1, 2}));
    // 121 frames for each finished level; each frame presented once and seen once.
    EXPECT_EQ(io.presented, hooks.frames);
    EXPECT_EQ(hooks.frames, 121 + 10 + 121 + 121 + 121);
}

TEST_F(GameFlow, F10OrTheCloseButtonDuringTheCountdownEndsTheGameWithoutAdvancing) {
    const LevelRecord* table[] = {kOneBlock, kTwoBlocks};
    io.script = [](ScriptedIo& s, int frame) { s.Hold(KEY_F10, frame >= 120); };
    Play(table, 2);
    EXPECT_EQ(io.presented, 121);
    EXPECT_TRUE(state.levelComplete);  // completed in the very frame F10 was seen
    EXPECT_EQ(ObjectList.size(), 1u);  // the second level was never built

    state = ShellState{};
    io = ScriptedIo{};
    io.script = [](ScriptedIo& s, int frame) { s.Hold(KEY_F10, frame >= 50); };
    Play(table, 2);
    EXPECT_EQ(io.presented, 51);
    EXPECT_EQ(state.completeTimer, 70);
    EXPECT_FALSE(state.levelComplete);
    EXPECT_EQ(ObjectList.size(), 1u);

    state = ShellState{};
    io = ScriptedIo{};
    io.script = [](ScriptedIo& s, int frame) { s.closeRequested = frame >= 30; };
    Play(table, 2);
    EXPECT_EQ(io.presented, 31);
    EXPECT_FALSE(state.levelComplete);
    EXPECT_EQ(ObjectList.size(), 1u);
}

TEST_F(GameFlow, RestartRebuildsTheLevelWithEveryBombBackInTheInventory) {
    const LevelRecord* table[] = {kBombLevel, kOneBlock};
    bool placedBeforeRestart = false;
    bool inventoryFullAfter = false;
    int levelAfter = -1;
    io.script = [&](ScriptedIo& s, int frame) {
        s.buttons = 0;
        switch (frame) {
            case 0:  // take the bomb out of slot 0
                s.MoveTo(120, HudY(24));
                s.buttons = kLeftButton;
                break;
            case 2:
                placedBeforeRestart = BombPlaced[0] && BombList[0]->HomeX == 320;
                s.MoveTo(600, HudY(24));  // the restart button
                s.buttons = kLeftButton;
                break;
            case 4:
                inventoryFullAfter = !BombPlaced[0] && BombList[0]->HomeX == kInventoryHome && !SelectedBomb;
                levelAfter = state.levelIndex;
                s.Hold(KEY_F10);
                break;
        }
    };
    Play(table, 2);
    EXPECT_TRUE(placedBeforeRestart);
    EXPECT_TRUE(inventoryFullAfter);
    EXPECT_EQ(levelAfter, 0);
    EXPECT_EQ(io.presented, 5);
    EXPECT_EQ(ObjectList.size(), 5u);  // F10 in the restarted level: the next one was never built
}

// A player's solution of built-in level 8: take the bomb, drag it into the
// platform under the hamster's left side, keep the 1-second fuse and run.
TEST_F(GameFlow, PlayingBuiltinLevel8ThroughLeadsToLevel9) {
    constexpr int kTargetX = 76, kTargetY = 376;
    int runStarted = -1;
    int nextLevelAt = -1;
    io.script = [&](ScriptedIo& s, int frame) {
        s.buttons = 0;
        s.Hold(KEY_SPACE, false);
        if (frame == 0) {
            s.MoveTo(120, HudY(24));
            s.buttons = kLeftButton;
        } else if (frame >= 2 && frame < 22) {  // pick up at the centre and drag in 20 steps
            const int t = frame - 2;
            s.MoveTo(320 + (kTargetX - 320) * t / 19, 240 + (kTargetY - 240) * t / 19);
            s.buttons = kLeftButton;
        } else if (frame == 23) {
            s.Hold(KEY_SPACE);
            runStarted = frame;
        } else if (BombList.size() == 3 && nextLevelAt < 0) {
            nextLevelAt = frame;  // level 9 has three inventory bombs
        }
        if (nextLevelAt >= 0 || frame > 2000) s.Hold(KEY_F10);
    };
    Play(&BuiltinLevels[7], 2);
    ASSERT_EQ(runStarted, 23);
    ASSERT_GT(nextLevelAt, 0) << "level 8 was not completed";
    // The hamster needs its flight, 120 frames in the exit and the 121 of the banner.
    EXPECT_GT(nextLevelAt - runStarted, 241) << nextLevelAt;
}

}  // namespace
