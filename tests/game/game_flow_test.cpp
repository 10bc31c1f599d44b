// The level sequence driven by scripted input, from the first frame to the
// end of the game.
#include <functional>
#include <vector>

#include "game/game_flow.h"
#include "game/scripted_play.h"
#include "packs/builtin_levels.h"

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
    // Every level start, by its index.
    struct Starts : LevelHooks {
        std::vector<int> levels;
        void LevelStarted(GameState& s) override { levels.push_back(s.levelIndex); }
    } starts;

    void Play(const LevelList& levels) { PlayLevels(state, levels, Bitmaps(), io, 0, &starts); }
    // The game played again from its start.
    void Replay(const LevelList& levels, std::function<void(ScriptedIo&, int)> script) {
        state = GameState{};
        io = ScriptedIo{};
        io.script = std::move(script);
        starts.levels.clear();
        Play(levels);
    }
    int HudY(int y) { return EditHudTop() + y; }
};

TEST_F(GameFlow, NoLevelOrAQuitBeforeTheFirstFrameDrawsNothing) {
    Play(LevelList{});
    EXPECT_EQ(io.presented, 0);
    io.closeRequested = true;
    Play(LevelsOf({kOneBlock}));
    EXPECT_EQ(io.presented, 0);
}

TEST_F(GameFlow, PlaysTheLevelsInOrderAndEndsAfterTheLast) {
    std::vector<size_t> objectsSeen;
    io.script = [&](ScriptedIo&, int frame) {
        if (frame == 0 || frame == 121) objectsSeen.push_back(world.ObjectList.size());
    };
    Play(LevelsOf({kTwoBlocks, kOneBlock}));
    EXPECT_EQ(io.presented, 242);  // 121 frames each: neither has a hamster
    EXPECT_EQ(objectsSeen, (std::vector<size_t>{2, 1}));
    EXPECT_EQ(state.levelIndex, 2);
    EXPECT_TRUE(world.EditMode);
    EXPECT_TRUE(world.ObjectList.empty());  // destroyed at level end
}

// The hooks around the levels, as the chooser and kept progress use them:
// told of each level's start, shown every frame (the last one too), able to
// end a level early and to choose the one that follows.
TEST_F(GameFlow, HooksSeeEveryLevelAndFrameAndChooseTheNextLevel) {
    struct Recorder : LevelHooks {
        std::vector<int> started;
        int frames = 0;
        bool left = false;
        void LevelStarted(GameState& s) override { started.push_back(s.levelIndex); }
        bool AfterFrame(GameState& s, const Assets&, FrameIo&) override {
            ++frames;
            // Level 3 left once, after 10 frames, for level 1.
            if (left || s.levelIndex != 2 || frames < 121 + 10) return true;
            left = true;
            s.nextLevel = 0;
            return false;
        }
    } hooks;
    PlayLevels(state, LevelsOf({kOneBlock, kOneBlock, kTwoBlocks}), Bitmaps(), io, 1, &hooks);
    EXPECT_EQ(hooks.started, (std::vector<int>{1, 2, 0, 1, 2}));
    // 121 frames for each finished level; each frame presented once and seen once.
    EXPECT_EQ(io.presented, hooks.frames);
    EXPECT_EQ(hooks.frames, 121 + 10 + 121 + 121 + 121);
}

TEST_F(GameFlow, F10OrTheCloseButtonDuringTheCountdownEndsTheGameWithoutAdvancing) {
    const LevelList levels = LevelsOf({kOneBlock, kTwoBlocks});
    Replay(levels, [](ScriptedIo& s, int frame) { s.Hold(kKeyF10, frame >= 120); });
    EXPECT_EQ(io.presented, 121);
    EXPECT_TRUE(world.LevelComplete);  // completed in the very frame F10 was seen
    EXPECT_EQ(starts.levels, std::vector<int>{0});  // the second level was never built

    Replay(levels, [](ScriptedIo& s, int frame) { s.Hold(kKeyF10, frame >= 50); });
    EXPECT_EQ(io.presented, 51);
    EXPECT_EQ(world.CompleteTimer, 70);
    EXPECT_FALSE(world.LevelComplete);
    EXPECT_EQ(starts.levels, std::vector<int>{0});

    Replay(levels, [](ScriptedIo& s, int frame) { s.closeRequested = frame >= 30; });
    EXPECT_EQ(io.presented, 31);
    EXPECT_FALSE(world.LevelComplete);
    EXPECT_EQ(starts.levels, std::vector<int>{0});
}

TEST_F(GameFlow, RestartRebuildsTheLevelWithEveryBombBackInTheInventory) {
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
                placedBeforeRestart = world.BombPlaced[0] && world.BombList[0]->HomeX == 320;
                s.MoveTo(600, HudY(24));  // the restart button
                s.buttons = kLeftButton;
                break;
            case 4:
                inventoryFullAfter =
                    !world.BombPlaced[0] && world.BombList[0]->HomeX == kInventoryHome && !world.SelectedBomb;
                levelAfter = state.levelIndex;
                s.Hold(kKeyF10);
                break;
        }
    };
    Play(LevelsOf({kBombLevel, kOneBlock}));
    EXPECT_TRUE(placedBeforeRestart);
    EXPECT_TRUE(inventoryFullAfter);
    EXPECT_EQ(levelAfter, 0);
    EXPECT_EQ(io.presented, 5);
    // F10 in the restarted level: the next one was never built.
    EXPECT_EQ(starts.levels, (std::vector<int>{0, 0}));
}

// A player's solution of built-in level 8: take the bomb, drag it into the
// platform under the hamster's left side, keep the 1-second fuse and run.
TEST_F(GameFlow, PlayingBuiltinLevel8ThroughLeadsToLevel9) {
    constexpr int kTargetX = 76, kTargetY = 376;
    int runStarted = -1;
    int nextLevelAt = -1;
    io.script = [&](ScriptedIo& s, int frame) {
        s.buttons = 0;
        s.Hold(kKeySpace, false);
        if (frame == 0) {
            s.MoveTo(120, HudY(24));
            s.buttons = kLeftButton;
        } else if (frame >= 2 && frame < 22) {  // pick up at the centre and drag in 20 steps
            const int t = frame - 2;
            s.MoveTo(320 + (kTargetX - 320) * t / 19, 240 + (kTargetY - 240) * t / 19);
            s.buttons = kLeftButton;
        } else if (frame == 23) {
            s.Hold(kKeySpace);
            runStarted = frame;
        } else if (world.BombList.size() == 3 && nextLevelAt < 0) {
            nextLevelAt = frame;  // level 9 has three inventory bombs
        }
        if (nextLevelAt >= 0 || frame > 2000) s.Hold(kKeyF10);
    };
    Play(LevelsOf({BuiltinLevels[7], BuiltinLevels[8]}));
    ASSERT_EQ(runStarted, 23);
    ASSERT_GT(nextLevelAt, 0) << "level 8 was not completed";
    // The hamster needs its flight, 120 frames in the exit and the 121 of the banner.
    EXPECT_GT(nextLevelAt - runStarted, 241) << nextLevelAt;
}

}  // namespace
