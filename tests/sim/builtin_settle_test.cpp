// Every built-in level must be at rest as built: left alone for ten seconds
// of play, each hamster stays where the level put it, on its floor. Level 10
// is the exception by design: its hamster stands over a pit and must be
// blasted into the exit before it drops out of sight.
#include <gtest/gtest.h>

#include "packs/builtin_levels.h"
#include "sim/player.h"
#include "sim/world.h"
#include "support/play_field.h"

namespace {

class BuiltinLevelAtRest : public PlayFieldTest, public ::testing::WithParamInterface<int> {};

TEST_P(BuiltinLevelAtRest, HamstersStayOnTheirFloorsForSixHundredFrames) {
    BuildLevel(world, BuiltinLevels[GetParam()]);
    std::vector<cPlayer*> hamsters;
    std::vector<Box> solids;
    for (cObject* o : world.ObjectList) {
        if (o->Kind() == KIND_HAMSTER) hamsters.push_back(static_cast<cPlayer*>(o));
        if (o->Kind() == KIND_BLOCK || o->Kind() == KIND_BRICK) solids.push_back(o->WorldBox());
    }
    ASSERT_FALSE(hamsters.empty());
    const bool overPit = GetParam() == 9;
    for (int frame = 1; frame <= 600; ++frame) {
        Simulate();
        for (cPlayer* h : hamsters) {
            ASSERT_EQ(h->x, Fixed::FromInt(h->HomeX)) << "frame " << frame;
            ASSERT_FALSE(h->Blasted);
            if (overPit) {
                ASSERT_FALSE(h->Landed) << "frame " << frame;
            } else {
                // It may sink by less than a pixel between landings, never more.
                ASSERT_EQ(h->y.Whole(), h->HomeY) << "frame " << frame;
            }
            const Box body = h->WorldBox();
            for (const Box& s : solids) {
                const bool inside = body.x < s.x + s.w && s.x < body.x + body.w && body.y < s.y + s.h &&
                                    s.y < body.y + body.h;
                ASSERT_FALSE(inside) << "frame " << frame << " hamster inside a block at " << s.x << "," << s.y;
            }
        }
    }
    if (overPit) {
        EXPECT_GT(hamsters[0]->y.Whole(), 480);
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, BuiltinLevelAtRest, ::testing::Range(0, kBuiltinLevelCount),
                         [](const auto& info) { return "Level" + std::to_string(info.param + 1); });

}  // namespace
