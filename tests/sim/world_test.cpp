// A world built from level records, and the world as a value: a copy is a
// snapshot that plays on exactly as the original does, and two worlds share
// nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "packs/builtin_levels.h"
#include "sim/blocks.h"
#include "sim/bomb.h"
#include "sim/placement.h"
#include "sim/player.h"
#include "sim/step.h"
#include "sim/world.h"
#include "support/play_field.h"

namespace {

class Worlds : public PlayFieldTest {};

LevelRecord R(int type, int x = 0, int y = 0, int w = 0, int h = 0, int param = 0) {
    auto s = [](int v) { return static_cast<int16_t>(v); };
    return {s(type), s(x), s(y), s(w), s(h), s(param), 0, 0};
}

TEST_F(Worlds, RecordOrderBecomesListOrder) {
    const LevelRecord level[] = {R(4, -2048, -2048, 0, 0, 4), R(3, 80, 84), R(1, 70, 110), R(4),
                                 R(7, 420, 320, 100, 40), R(0)};
    BuildLevel(world, level);
    ASSERT_EQ(world.ObjectList.size(), 5u);
    ASSERT_EQ(world.BombList.size(), 2u);
    EXPECT_EQ(static_cast<cObject*>(world.BombList[0]), world.ObjectList[0]);
    EXPECT_EQ(static_cast<cObject*>(world.BombList[1]), world.ObjectList[3]);
    EXPECT_EQ(world.BombPlaced, (std::vector<bool>{false, false}));
    EXPECT_EQ(world.ObjectList[1]->Kind(), KIND_HAMSTER);
    EXPECT_EQ(world.ObjectList[2]->Kind(), KIND_BLOCK);
    EXPECT_EQ(world.ObjectList[4]->Kind(), KIND_EXIT);
    EXPECT_EQ(world.HamsterCount, 1);

    auto* hamster = static_cast<cPlayer*>(world.ObjectList[1]);
    EXPECT_EQ(hamster->Id, 0);
    EXPECT_EQ(hamster->HomeY, 88);
    EXPECT_EQ(hamster->y, Fixed::FromInt(88));

    auto* exit = static_cast<cExit*>(world.ObjectList[4]);
    EXPECT_EQ(exit->x, Fixed::FromInt(420));
    EXPECT_EQ(exit->box.w, 100);
    EXPECT_EQ(exit->box.h, 40);
    EXPECT_EQ(exit->box.x, 0);

    for (cBomb* b : world.BombList) {
        EXPECT_EQ(b->x.raw, -524288);
        EXPECT_EQ(b->Fuse, 60);
        EXPECT_EQ(b->Count, 60);
    }
}

TEST_F(Worlds, UnknownTypesAreSkippedWithoutDisturbingTheOrder) {
    const LevelRecord level[] = {R(6, 1, 1), R(1, 10, 10), R(8), R(-1, 5, 5), R(2, 30, 10), R(0x7FFF), R(0),
                                 R(1, 50, 50)};
    BuildLevel(world, level);
    ASSERT_EQ(world.ObjectList.size(), 2u);  // nothing after the terminator
    EXPECT_EQ(world.ObjectList[0]->Kind(), KIND_BLOCK);
    EXPECT_EQ(world.ObjectList[1]->Kind(), KIND_BRICK);
}

TEST_F(Worlds, HamstersAreNumberedAndCappedAtTheExitMaskWidth) {
    std::vector<LevelRecord> level;
    for (int i = 0; i < 40; ++i) level.push_back(R(3, 20 + 10 * i, 100));
    level.push_back(R(1, 10, 10));
    level.push_back(R(0));
    BuildLevel(world, level.data());
    EXPECT_EQ(world.HamsterCount, 32);
    EXPECT_EQ(AllHamstersMask(world), 0xFFFFFFFFu);
    ASSERT_EQ(world.ObjectList.size(), 33u);
    for (int i = 0; i < 32; ++i) EXPECT_EQ(static_cast<cPlayer*>(world.ObjectList[i])->Id, i);
    EXPECT_EQ(world.ObjectList[32]->Kind(), KIND_BLOCK);

    // The 32nd hamster can still be counted home.
    auto* last = static_cast<cPlayer*>(world.ObjectList[31]);
    cExit exit(0, 0, 640, 480);
    last->ExitTime = 0;
    world.ExitMask = 0;
    last->Contact(world, &exit);
    EXPECT_EQ(world.ExitMask, 0x80000000u);
}

// A world built after another numbers its hamsters from 0 again: left to the
// caller, a second level's hamsters took the first's numbers on, and after a
// level of 32 none was built at all.
TEST_F(Worlds, EachBuildNumbersItsHamstersFromZero) {
    std::vector<LevelRecord> crowded(32, R(3, 100, 100));
    crowded.push_back(R(0));
    BuildLevel(world, crowded.data());
    ASSERT_EQ(world.HamsterCount, 32);
    const LevelRecord next[] = {R(1, 10, 10), R(3, 80, 84), R(3, 200, 84), R(0)};
    BuildLevel(world, next);
    EXPECT_EQ(world.HamsterCount, 2);
    EXPECT_EQ(AllHamstersMask(world), 3u);
    ASSERT_EQ(world.ObjectList.size(), 3u);
    EXPECT_EQ(static_cast<cPlayer*>(world.ObjectList[1])->Id, 0);
    EXPECT_EQ(static_cast<cPlayer*>(world.ObjectList[2])->Id, 1);
}

TEST_F(Worlds, FixedBombsTakeTheirFuseFromParam) {
    const LevelRecord level[] = {R(5, 100, 120, 0, 0, 0), R(5, 200, 120, 0, 0, 4), R(4, 7, 7, 0, 0, 9), R(0)};
    BuildLevel(world, level);
    auto* a = static_cast<cFixedBomb*>(world.ObjectList[0]);
    auto* b = static_cast<cFixedBomb*>(world.ObjectList[1]);
    EXPECT_EQ(a->Fuse, 6);
    EXPECT_EQ(a->Count, 6);
    EXPECT_EQ(a->x, Fixed::FromInt(100));
    EXPECT_EQ(b->Fuse, 60);
    EXPECT_EQ(world.BombList.size(), 1u);  // fixed bombs are not in the inventory
    EXPECT_EQ(world.BombList[0]->Fuse, 60);
    EXPECT_EQ(world.BombList[0]->HomeX, -2048);
}

TEST_F(Worlds, ClearingAndRebuildingDropTheSelection) {
    const LevelRecord level[] = {R(4), R(3, 100, 100), R(0)};
    BuildLevel(world, level);
    world.SelectedBomb = world.BombList[0];
    world.Clear();
    EXPECT_TRUE(world.ObjectList.empty());
    EXPECT_EQ(world.SelectedBomb, nullptr);
    BuildLevel(world, level);
    world.SelectedBomb = world.BombList[0];
    BuildLevel(world, level);
    EXPECT_EQ(world.SelectedBomb, nullptr);
    EXPECT_EQ(world.ObjectList.size(), 2u);

    const LevelRecord empty[] = {R(0)};
    BuildLevel(world, empty);
    EXPECT_TRUE(world.ObjectList.empty());
    EXPECT_TRUE(world.BombList.empty());
    EXPECT_TRUE(world.BombPlaced.empty());
    EXPECT_EQ(world.HamsterCount, 0);
}

TEST_F(Worlds, BuiltObjectsEqualTheirResetState) {
    const LevelRecord level[] = {R(3, 100, 100), R(2, 130, 130), R(5, 50, 50, 0, 0, 2), R(0)};
    BuildLevel(world, level);
    auto snapshot = [&] {
        auto* p = static_cast<cPlayer*>(world.ObjectList[0]);
        auto* k = static_cast<cBrick*>(world.ObjectList[1]);
        auto* f = static_cast<cFixedBomb*>(world.ObjectList[2]);
        return std::vector<int32_t>{p->x.raw, p->y.raw, p->Velocity.y.raw, p->ExitTime, k->x.raw, k->y.raw,
                                    f->x.raw, f->Count, f->Radius, f->box.w};
    };
    const auto built = snapshot();
    Simulate(200);
    EXPECT_NE(snapshot(), built);
    world.ResetObjects();
    EXPECT_EQ(snapshot(), built);
}

// Level 9 with its recorded solution's two bombs placed (the second one
// selected), running.
void BuildLevelNine(World& w) {
    BuildLevel(w, BuiltinLevels[8]);
    PlaceInOrder(w, {{0, 48, 336, 30}, {1, 297, 418, 195}});
    PlayerCommands run;
    run.toggle = Toggle::KeepSelection;
    Step(w, run);
}

// Everything n frames of the real step leave that the play, its pictures or
// its sounds depend on, one line a frame.
std::string Frames(World& w, int n) {
    std::string seen;
    for (int f = 0; f < n; ++f) {
        Step(w, PlayerCommands{});
        for (const cObject* o : w.ObjectList) seen += std::to_string(o->x.raw) + "," + std::to_string(o->y.raw) + ";";
        for (cObject* o : w.ObjectList) {
            if (o->Kind() == KIND_HAMSTER || o->Kind() == KIND_HAMSTER_FAST) {
                const auto& h = *static_cast<const cPlayer*>(o);
                seen += std::to_string(h.Velocity.x.raw) + "," + std::to_string(h.Velocity.y.raw) +
                        (h.Resting ? "R" : "") + (h.Blasted ? "B" : "") + std::to_string(h.ExitTime) + ";";
            }
        }
        for (const SoundEvent& e : w.Sounds) seen += "s" + std::to_string(static_cast<int>(e.id)) + ";";
        seen += std::to_string(w.ExitMask) + (w.FuseBurning ? "F" : "") + std::to_string(w.ParticlePool.nextSlot) +
                "/" + std::to_string(LiveParticleCount(w.ParticlePool)) + " " + std::to_string(w.CompleteTimer) +
                (w.LevelComplete ? "C" : "") + "\n";
    }
    return seen;
}

TEST_F(Worlds, ACopyIsASnapshotThatPlaysOnAsTheOriginalDid) {
    BuildLevelNine(world);
    Frames(world, 150);
    const World saved = world;
    // The copy's lists hold its own objects, its selection too.
    ASSERT_EQ(saved.ObjectList.size(), world.ObjectList.size());
    for (size_t i = 0; i < saved.ObjectList.size(); ++i) EXPECT_NE(saved.ObjectList[i], world.ObjectList[i]) << i;
    ASSERT_EQ(saved.BombList.size(), 3u);
    EXPECT_EQ(static_cast<const cObject*>(saved.BombList[1]), saved.ObjectList[1]);
    EXPECT_EQ(saved.SelectedBomb, saved.BombList[1]);

    const std::string first = Frames(world, 400);
    ASSERT_NE(first.find("B"), std::string::npos);  // the bombs did throw the hamster
    world = saved;
    EXPECT_EQ(world.SelectedBomb, world.BombList[1]);
    EXPECT_EQ(Frames(world, 400), first);

    // Assigned onto a world of another level, it becomes level 9 as saved.
    World other;
    BuildLevel(other, BuiltinLevels[0]);
    other = saved;
    EXPECT_EQ(other.SelectedBomb, other.BombList[1]);
    EXPECT_FALSE(other.EditMode);
    EXPECT_EQ(Frames(other, 400), first);
}

// Stepped in turn, a world and its copy must never see each other's
// objects, particles or random numbers: the screams would come out different.
TEST_F(Worlds, AWorldAndItsCopySteppedSideBySideGiveTheSameFrames) {
    BuildLevelNine(world);
    World twin = world;
    for (int f = 0; f < 900; ++f) {
        const std::string mine = Frames(world, 1);
        ASSERT_EQ(Frames(twin, 1), mine) << "frame " << f;
        TakeSounds();
    }
    EXPECT_GT(TimesPlayed(SoundId::Explode), 0);
    EXPECT_GT(Screams(), 0);
    EXPECT_TRUE(twin.LevelComplete);
}

}  // namespace
