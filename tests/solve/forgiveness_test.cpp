// How forgiving a solution is to the hand: the recorded solutions of the
// built-in levels measured, as they were measured independently of this
// code (level 6's first bomb completes from 3 of its 49 neighbours, level
// 9's from 1), and a solution that does not complete at all forgives nothing.
#include <gtest/gtest.h>

#include "packs/builtin_levels.h"
#include "solve/forgiveness.h"

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
