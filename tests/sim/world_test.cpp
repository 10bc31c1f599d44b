#include <gtest/gtest.h>

#include <vector>

#include "sim/world.h"
#include "sim/blocks.h"
#include "sim/bomb.h"
#include "sim/player.h"
#include "sim/frame_globals.h"
#include "support/play_field.h"

namespace {

class World : public PlayFieldTest {};

LevelRecord R(int type, int x = 0, int y = 0, int w = 0, int h = 0, int param = 0) {
    auto s = [](int v) { return static_cast<int16_t>(v); };
    return {s(type), s(x), s(y), s(w), s(h), s(param), 0, 0};
}

TEST_F(World, RecordOrderBecomesListOrder) {
    const LevelRecord level[] = {R(4, -2048, -2048, 0, 0, 4), R(3, 80, 84), R(1, 70, 110), R(4), R(7, 420, 320, 100, 40),
                                 R(0)};
    BuildLevel(level);
    ASSERT_EQ(ObjectList.size(), 5u);
    ASSERT_EQ(BombList.size(), 2u);
    EXPECT_EQ(static_cast<cObject*>(BombList[0]), ObjectList[0]);
    EXPECT_EQ(static_cast<cObject*>(BombList[1]), ObjectList[3]);
    EXPECT_EQ(BombPlaced, (std::vector<bool>{false, false}));
    EXPECT_EQ(ObjectList[1]->Kind(), KIND_HAMSTER);
    EXPECT_EQ(ObjectList[2]->Kind(), KIND_BLOCK);
    EXPECT_EQ(ObjectList[4]->Kind(), KIND_EXIT);
    EXPECT_EQ(HamsterCount, 1);

    auto* hamster = static_cast<cPlayer*>(ObjectList[1]);
    EXPECT_EQ(hamster->Id, 0);
    EXPECT_EQ(hamster->HomeY, 88);
    EXPECT_EQ(hamster->y, Fixed::FromInt(88));

    auto* exit = static_cast<cExit*>(ObjectList[4]);
    EXPECT_EQ(exit->x, Fixed::FromInt(420));
    EXPECT_EQ(exit->box.w, 100);
    EXPECT_EQ(exit->box.h, 40);
    EXPECT_EQ(exit->box.x, 0);

    for (cBomb* b : BombList) {
        EXPECT_EQ(b->x.raw, -524288);
        EXPECT_EQ(b->Fuse, 60);
        EXPECT_EQ(b->Count, 60);
    }
}

TEST_F(World, UnknownTypesAreSkippedWithoutDisturbingTheOrder) {
    const LevelRecord level[] = {R(6, 1, 1), R(1, 10, 10), R(8), R(-1, 5, 5), R(2, 30, 10), R(0x7FFF), R(0),
                                 R(1, 50, 50)};
    BuildLevel(level);
    ASSERT_EQ(ObjectList.size(), 2u);  // nothing after the terminator
    EXPECT_EQ(ObjectList[0]->Kind(), KIND_BLOCK);
    EXPECT_EQ(ObjectList[1]->Kind(), KIND_BRICK);
}

TEST_F(World, HamstersAreNumberedAndCappedAtTheExitMaskWidth) {
    std::vector<LevelRecord> level;
    for (int i = 0; i < 40; ++i) level.push_back(R(3, 20 + 10 * i, 100));
    level.push_back(R(1, 10, 10));
    level.push_back(R(0));
    BuildLevel(level.data());
    EXPECT_EQ(HamsterCount, 32);
    ASSERT_EQ(ObjectList.size(), 33u);
    for (int i = 0; i < 32; ++i) EXPECT_EQ(static_cast<cPlayer*>(ObjectList[i])->Id, i);
    EXPECT_EQ(ObjectList[32]->Kind(), KIND_BLOCK);

    // The 32nd hamster can still be counted home.
    auto* last = static_cast<cPlayer*>(ObjectList[31]);
    cExit exit(0, 0, 640, 480);
    last->ExitTime = 0;
    ExitMask = 0;
    last->Contact(&exit);
    EXPECT_EQ(ExitMask, 0x80000000u);
}

// A world built after another numbers its hamsters from 0 again: left to the
// caller, a second level's hamsters took the first's numbers on, and after a
// level of 32 none was built at all.
TEST_F(World, EachBuildNumbersItsHamstersFromZero) {
    std::vector<LevelRecord> crowded(32, R(3, 100, 100));
    crowded.push_back(R(0));
    BuildLevel(crowded.data());
    ASSERT_EQ(HamsterCount, 32);
    const LevelRecord next[] = {R(1, 10, 10), R(3, 80, 84), R(3, 200, 84), R(0)};
    BuildLevel(next);
    EXPECT_EQ(HamsterCount, 2);
    ASSERT_EQ(ObjectList.size(), 3u);
    EXPECT_EQ(static_cast<cPlayer*>(ObjectList[1])->Id, 0);
    EXPECT_EQ(static_cast<cPlayer*>(ObjectList[2])->Id, 1);
}

TEST_F(World, FixedBombsTakeTheirFuseFromParam) {
    const LevelRecord level[] = {R(5, 100, 120, 0, 0, 0), R(5, 200, 120, 0, 0, 4), R(4, 7, 7, 0, 0, 9), R(0)};
    BuildLevel(level);
    auto* a = static_cast<cFixedBomb*>(ObjectList[0]);
    auto* b = static_cast<cFixedBomb*>(ObjectList[1]);
    EXPECT_EQ(a->Fuse, 6);
    EXPECT_EQ(a->Count, 6);
    EXPECT_EQ(a->x, Fixed::FromInt(100));
    EXPECT_EQ(b->Fuse, 60);
    EXPECT_EQ(BombList.size(), 1u);  // fixed bombs are not in the inventory
    EXPECT_EQ(BombList[0]->Fuse, 60);
    EXPECT_EQ(BombList[0]->HomeX, -2048);
}

TEST_F(World, RebuildingClearsTheSelectionAndSkipsFreedEntries) {
    const LevelRecord level[] = {R(4), R(3, 100, 100), R(0)};
    BuildLevel(level);
    SelectedBomb = BombList[0];
    DestroyWorldObjects();
    for (cObject* o : ObjectList) EXPECT_EQ(o, nullptr);
    BuildLevel(level);  // must not free the nulled entries again
    EXPECT_EQ(SelectedBomb, nullptr);
    EXPECT_EQ(ObjectList.size(), 2u);

    const LevelRecord empty[] = {R(0)};
    BuildLevel(empty);
    EXPECT_TRUE(ObjectList.empty());
    EXPECT_TRUE(BombList.empty());
    EXPECT_TRUE(BombPlaced.empty());
    EXPECT_EQ(HamsterCount, 0);
}

TEST_F(World, BuiltObjectsEqualTheirResetState) {
    const LevelRecord level[] = {R(3, 100, 100), R(2, 130, 130), R(5, 50, 50, 0, 0, 2), R(0)};
    BuildLevel(level);
    std::vector<std::vector<char>> before;
    auto snapshot = [] {
        auto* p = static_cast<cPlayer*>(ObjectList[0]);
        auto* k = static_cast<cBrick*>(ObjectList[1]);
        auto* f = static_cast<cFixedBomb*>(ObjectList[2]);
        return std::vector<int32_t>{p->x.raw, p->y.raw, p->Velocity.y.raw, p->ExitTime, k->x.raw, k->y.raw,
                                    f->x.raw, f->Count, f->Radius, f->box.w};
    };
    const auto built = snapshot();
    SimulateFrames(ObjectList, 200);
    EXPECT_NE(snapshot(), built);
    for (cObject* o : ObjectList) o->Reset();
    EXPECT_EQ(snapshot(), built);
}

}  // namespace
