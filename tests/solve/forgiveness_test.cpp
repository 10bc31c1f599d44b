// How forgiving a solution is to the hand: the recorded solutions of the
// built-in levels measured, as they were measured independently of this
// code (level 6's first bomb completes from 3 of its 49 neighbours, level
// 9's from 1), and a solution that does not complete at all forgives
// nothing. And the search a hint runs, which puts the most forgiving first.
#include <gtest/gtest.h>

#include <sstream>

#include "packs/builtin_levels.h"
#include "solve/forgiveness.h"
#include "solve/forgiving_order.h"
#include "solve/solver.h"

TEST(Forgiveness, CountsTheNeighbouringPlacementsThatStillComplete) {
    const Forgiveness six = MeasureForgiveness(BuiltinLevels[5], {{0, 548, 104, 6}, {1, 399, 177, 105}}, 3600, 2);
    EXPECT_EQ(six.perBomb, (std::vector<int>{3, 6}));
    const Forgiveness nine = MeasureForgiveness(BuiltinLevels[8], {{0, 48, 336, 30}, {1, 297, 418, 195}}, 3600, 1);
    EXPECT_EQ(nine.perBomb, (std::vector<int>{1, 2}));
    EXPECT_EQ(nine.Least(), 1);
    EXPECT_LT(nine, six);

    const Forgiveness none = MeasureForgiveness(BuiltinLevels[0], {{0, 600, 40, 585}}, 3600, 2);
    EXPECT_EQ(none.perBomb, (std::vector<int>{0}));
}

TEST(Forgiveness, AStoppedMeasureCountsOnlyWhatRan) {
    std::atomic<bool> cancel{true};
    const Forgiveness f =
        MeasureForgiveness(BuiltinLevels[0], {{0, 56, 112, 6}}, 3600, 2, StopSignal{SolveClock::time_point::max(), &cancel});
    EXPECT_EQ(f.perBomb, (std::vector<int>{0}));
}

// A hint's search from a player who took the second slot first: the
// player's bomb stays in its slot, the one added takes the free slot, every
// bomb added lies where a mouse can put it, and the most forgiving solution
// comes first.
TEST(HintSearch, KeepsThePlayersSlotAndTheMousesReachAndPutsTheMostForgivingFirst) {
    const std::vector<BombPlacement> player{{1, 548, 104, 6}};
    std::ostringstream out;
    const SolveReport report = Solve(BuiltinLevels[5], HintSettings(600, player), out);
    ASSERT_FALSE(report.solutions.empty()) << out.str();
    for (const Solution& s : report.solutions) {
        ASSERT_EQ(s.bombs.size(), 2u);
        EXPECT_EQ(s.bombs[0], player[0]);
        EXPECT_EQ(s.bombs[1].slot, 0);
        EXPECT_TRUE(InMouseReach(s.bombs[1].x, s.bombs[1].y)) << s.bombs[1].x << "," << s.bombs[1].y;
    }
    const Solution& best = report.solutions.front();
    ASSERT_EQ(best.forgiveness.perBomb.size(), 1u);  // the player's own bomb is not measured
    // As measured again from scratch, and no less forgiving than any other measured.
    const Forgiveness again = MeasureForgiveness(BuiltinLevels[5], best.bombs, 3600, 2, {}, 1);
    EXPECT_EQ(again.perBomb, best.forgiveness.perBomb);
    for (const Solution& s : report.solutions) {
        if (s.forgiveness.perBomb.empty()) continue;
        EXPECT_FALSE(MoreForgiving(s, best));
    }
    EXPECT_NE(out.str().find("most forgiving: --bomb 548,104,6 --bomb "), std::string::npos) << out.str();
}
