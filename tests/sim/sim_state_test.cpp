// Reset, snapshot and restore of the whole play state: a restored world plays
// on exactly as the original did.
#include "sim/sim_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "packs/level_table.h"
#include "sim/world.h"
#include "sim/bomb.h"
#include "sim/frame_globals.h"
#include "sim/particles.h"
#include "sim/player.h"
#include "support/play_field.h"

namespace {

class SimState : public PlayFieldTest {
protected:
    // Level 9 with two bombs placed as its recorded solution places them.
    void BuildLevelNine() {
        BuildLevel(BuiltinLevels[8]);
        Place(0, 48, 336, 30);
        Place(1, 297, 418, 195);
        SelectedBomb = BombList[1];
        EditMode = false;
    }
    static void Place(int k, short x, short y, int fuse) {
        cBomb& b = *BombList[k];
        b.HomeX = x;
        b.HomeY = y;
        b.Fuse = fuse;
        b.Reset();
        BombPlaced[k] = true;
    }
    // Everything a frame leaves that the play or its pictures depend on.
    static std::string Frames(int n) {
        std::string seen;
        for (int f = 0; f < n; ++f) {
            SimulateFrame(ObjectList);
            for (const cObject* o : ObjectList) seen += std::to_string(o->x.raw) + "," + std::to_string(o->y.raw) + ";";
            for (cObject* o : ObjectList) {
                if (o->Kind() == KIND_HAMSTER || o->Kind() == KIND_HAMSTER_FAST) {
                    const auto& h = *static_cast<const cPlayer*>(o);
                    seen += std::to_string(h.Velocity.x.raw) + "," + std::to_string(h.Velocity.y.raw) +
                            (h.Resting ? "R" : "") + (h.Blasted ? "B" : "") + std::to_string(h.ExitTime) + ";";
                }
            }
            seen += std::to_string(ExitMask) + (FuseBurning ? "F" : "") + std::to_string(ParticlePool.nextSlot) + "/" +
                    std::to_string(LiveParticleCount()) + "\n";
        }
        return seen;
    }
};

TEST_F(SimState, ARestoredWorldPlaysOnAsTheOriginalDid) {
    BuildLevelNine();
    Frames(150);
    const SimSnapshot snapshot = SimSnapshot::Take();
    const std::string first = Frames(400);
    ASSERT_NE(first.find("B"), std::string::npos);  // the bombs did throw the hamster

    ASSERT_TRUE(snapshot.Restore());
    EXPECT_EQ(Frames(400), first);

    // Onto a world built anew from the same records: the objects are matched
    // by their place in the lists, the selection too.
    BuildLevel(BuiltinLevels[8]);
    ASSERT_TRUE(snapshot.Restore());
    EXPECT_EQ(SelectedBomb, BombList[1]);
    EXPECT_FALSE(EditMode);
    EXPECT_EQ(Frames(400), first);
}

TEST_F(SimState, RestoreRefusesAnotherLevelAndChangesNothing) {
    BuildLevelNine();
    const SimSnapshot nine = SimSnapshot::Take();
    BuildLevel(BuiltinLevels[0]);
    const cObject* first = ObjectList[0];
    const Fixed x = ObjectList[2]->x;
    EXPECT_FALSE(nine.Restore());
    EXPECT_EQ(ObjectList[0], first);
    EXPECT_EQ(ObjectList[2]->x, x);
    EditMode = true;
    EXPECT_FALSE(nine.Restore());
    EXPECT_TRUE(EditMode);  // the snapshot's run mode was not restored
}

TEST_F(SimState, ResetIsANewProgram) {
    BuildLevelNine();
    Frames(200);
    ASSERT_GT(LiveParticleCount(), 0);
    ResetSimulation();
    EXPECT_TRUE(ObjectList.empty());
    EXPECT_TRUE(BombList.empty());
    EXPECT_TRUE(BombPlaced.empty());
    EXPECT_TRUE(EditMode);
    EXPECT_FALSE(FuseBurning);
    EXPECT_EQ(HamsterCount, 0);
    EXPECT_EQ(ExitMask, 0u);
    EXPECT_EQ(SelectedBomb, nullptr);
    EXPECT_EQ(LiveParticleCount(), 0);
    EXPECT_EQ(ParticlePool.nextSlot, 0);
}

}  // namespace
