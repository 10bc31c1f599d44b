// Hints on every built-in level: from an empty field, asking until no new
// bomb appears and placing each ghost where it shows completes the level,
// which is then kept as solved with a hint. Slow (a search per level): label
// "slow". The budget is generous: the sanitizer build is many times slower,
// and what is tested here is the hints, not the search's speed.
#include <chrono>
#include <thread>

#include "features/game_hooks.h"
#include "game/game_flow.h"
#include "game/keys.h"
#include "game/scripted_play.h"
#include "packs/builtin_levels.h"
#include "packs/level_hash.h"
#include "packs/pack_model.h"
#include "sim/placement.h"

namespace {

const LevelList& Builtin() {
    static const LevelList levels = BuiltinLevelList();
    return levels;
}
const LevelRecord* Records(int level) { return Builtin()[static_cast<size_t>(level)].records.data(); }

class HintsOnEveryLevel : public FrameTest, public ::testing::WithParamInterface<int> {};

TEST_P(HintsOnEveryLevel, FollowingTheHintsCompletesTheLevel) {
    const int level = GetParam();
    GameHooks hooks(io, Builtin(), Bitmaps(), "", [](const std::string&) {});
    auto step = [&] {
        const bool goOn = RunFrame(state, Bitmaps(), hooks);
        return hooks.AfterFrame(state, Bitmaps(), hooks) && goOn;
    };
    auto press = [&](int key) {
        io.Hold(key);
        step();
        io.Hold(key, false);
        step();
    };
    constexpr int kBudget = 300;
    hooks.HintsInPlay().SetBudget(kBudget);
    state.levelIndex = level;
    StartLevel(state, Records(level));
    hooks.LevelStarted(state);
    io.MoveTo(639, 10);

    press(KeyLetter('H'));
    EXPECT_EQ(hooks.HintsInPlay().Status().rfind("searching for a hint", 0), 0u);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(kBudget + 5);
    while (hooks.HintsInPlay().Searching() && std::chrono::steady_clock::now() < end) {
        step();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    size_t shown = hooks.HintsInPlay().Ghosts().size();
    ASSERT_EQ(shown, 1u) << hooks.HintsInPlay().Status();
    for (;;) {  // H again shows the next bomb, until there is none
        press(KeyLetter('H'));
        const size_t now = hooks.HintsInPlay().Ghosts().size();
        if (now == shown) break;
        ASSERT_EQ(now, shown + 1);
        shown = now;
    }
    const auto ghosts = hooks.HintsInPlay().Ghosts();
    for (size_t k = 0; k < ghosts.size(); ++k) {
        EXPECT_EQ(ghosts[k].slot, static_cast<int>(k));
        ASSERT_TRUE(Place(world, ghosts[k]));
    }
    press(kKeySpace);
    for (int frame = 0; frame < 4000 && step(); ++frame) {
    }
    EXPECT_TRUE(state.LevelComplete());
    const LevelProgress* kept = hooks.KeptProgress().Find(LevelHash(Records(level)));
    ASSERT_NE(kept, nullptr);
    EXPECT_TRUE(kept->hinted);
    EndLevel(state);
}

INSTANTIATE_TEST_SUITE_P(BuiltinLevels, HintsOnEveryLevel, ::testing::Range(0, kBuiltinLevelCount));

TEST_F(FrameTest, AHintKeepsTheBombsThePlayerPlaced) {
    GameHooks hooks(io, Builtin(), Bitmaps(), "", [](const std::string&) {});
    state.levelIndex = 5;  // level 6: two bombs
    StartLevel(state, Records(5));
    hooks.LevelStarted(state);
    Place(world, {0, 548, 104, 6});  // the first bomb of the kept solution
    hooks.HintsInPlay().Ask(Records(5), PlacedBombs(world));
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(25);
    while (hooks.HintsInPlay().Searching() && std::chrono::steady_clock::now() < end) {
        hooks.HintsInPlay().Poll();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    const auto ghosts = hooks.HintsInPlay().Ghosts();
    ASSERT_EQ(ghosts.size(), 1u);  // the second bomb only: the first is the player's
    EXPECT_EQ(ghosts[0].slot, 1);
    Place(world, ghosts[0]);
    io.Hold(kKeySpace);
    int frames = 0;
    while (RunFrame(state, Bitmaps(), io) && frames < 4000) ++frames;
    EXPECT_TRUE(state.LevelComplete());
}

TEST_F(FrameTest, ALevelWithoutASolutionSaysNoHintFound) {
    const LevelRecord stuck[] = {Rec(REC_BOMB, -2048, -2048, 0, 0, 4), Rec(REC_HAMSTER, 100, 104),
                                 Rec(REC_BLOCK, 100, 130), Rec(REC_EXIT, 560, 20, 20, 20), Rec(REC_END)};
    Hints hints(2);
    StartLevel(state, stuck);
    hints.Ask(stuck, {{0, 300, 300, 60}});  // the player's bomb first, then the inventory alone
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (hints.Searching() && std::chrono::steady_clock::now() < end) {
        hints.Poll();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    hints.Poll();
    EXPECT_EQ(hints.Status(), "no hint found");
    EXPECT_TRUE(hints.Ghosts().empty());
    EXPECT_FALSE(hints.Used());
}

}  // namespace
