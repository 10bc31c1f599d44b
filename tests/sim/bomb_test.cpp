#include <gtest/gtest.h>

#include <vector>

#include "sim/bomb.h"
#include "sim/particles.h"
#include "support/play_field.h"

namespace {

// What a bomb shows to the outside after each of its frames.
struct Frame {
    int kind;
    int count;
    bool fuseBurning;
    int newParticles;
    bool bang;
};

class Bombs : public PlayFieldTest {
protected:
    // One frame of a bomb on its own, its flag cleared first as the step clears it.
    void StepAlone(cObject& b) {
        world.FuseBurning = false;
        b.Step(world);
        TakeSounds();
    }
    template <class Bomb>
    std::vector<Frame> RunFuse(Bomb& b, int frames) {
        std::vector<Frame> out;
        for (int f = 0; f < frames; ++f) {
            const int before = LiveParticles();
            const int bangs = TimesPlayed(SoundId::Explode);
            StepAlone(b);
            out.push_back({b.Kind(), b.Count, world.FuseBurning, LiveParticles() - before,
                           TimesPlayed(SoundId::Explode) > bangs});
        }
        return out;
    }
};

void Place(cBomb& b, short x, short y) {
    b.HomeX = x;
    b.HomeY = y;
    b.x = Fixed::FromInt(x);
    b.y = Fixed::FromInt(y);
}

TEST_F(Bombs, SixtyFrameFuseTimeline) {
    cBomb b;
    Place(b, 200, 150);
    const std::vector<Frame> t = RunFuse(b, 62);
    // The spark of the first frame: from the flare strip, its largest picture skipped.
    EXPECT_EQ(world.ParticlePool.slots[0].strip, Strip::Flare);
    EXPECT_EQ(world.ParticlePool.slots[0].picture, 1);
    for (int f = 1; f <= 60; ++f) {
        const Frame& fr = t[f - 1];
        const int n = 60 - f;
        ASSERT_EQ(fr.count, n) << "frame " << f;
        const int expectedKind = f == 1 ? KIND_FUSE_LIT : f == 59 ? KIND_BLAST : KIND_BOMB;
        EXPECT_EQ(fr.kind, expectedKind) << "frame " << f;
        EXPECT_TRUE(fr.fuseBurning) << "frame " << f;
        EXPECT_EQ(fr.newParticles, 1 + (n <= 4 ? 32 : 0)) << "frame " << f;  // spark, then bursts
        EXPECT_EQ(fr.bang, f == 55) << "frame " << f;
    }
    // Frame 61: spent, parked at the inventory position, nothing more.
    EXPECT_EQ(t[60].newParticles, 0);
    EXPECT_FALSE(t[60].fuseBurning);
    EXPECT_EQ(b.x.raw, -524288);
    EXPECT_EQ(b.y.raw, -524288);
    EXPECT_EQ(b.Kind(), KIND_BOMB);
    EXPECT_EQ(TimesPlayed(SoundId::Explode), 1);
}

TEST_F(Bombs, ReachBoxOnlyInFuseLitAndBlastFrames) {
    cBomb b;
    Place(b, 200, 150);
    for (int f = 1; f <= 60; ++f) {
        StepAlone(b);
        const bool reach = f == 1 || f == 59;
        EXPECT_EQ(b.Radius, reach ? 64 : 0) << f;
        EXPECT_EQ(b.box.w, reach ? 128 : 24) << f;
        EXPECT_EQ(b.box.x, reach ? -64 : -12) << f;
    }
}

TEST_F(Bombs, ShortFixedFuseBangsAtOnceAndNeverLightsVisibly) {
    cFixedBomb b(300, 200, 0);
    EXPECT_EQ(b.Fuse, 6);
    const std::vector<Frame> t = RunFuse(b, 7);
    EXPECT_TRUE(t[0].bang);
    EXPECT_EQ(t[0].count, 5);
    EXPECT_EQ(t[0].newParticles, 1);
    for (int f = 2; f <= 6; ++f) EXPECT_EQ(t[f - 1].newParticles, 33) << f;
    for (int f = 1; f <= 6; ++f) EXPECT_EQ(t[f - 1].kind, f == 5 ? KIND_BLAST : KIND_BOMB) << f;
    EXPECT_EQ(b.x.raw, -65536);  // a spent fixed bomb waits at (-256, -256)
    EXPECT_EQ(b.y.raw, -65536);
    b.Reset();
    EXPECT_EQ(b.x, Fixed::FromInt(300));
    EXPECT_EQ(b.Count, 6);
    EXPECT_EQ(b.box.w, 24);
}

TEST_F(Bombs, FixedFuseFromParam) {
    EXPECT_EQ(cFixedBomb(0, 0, 4).Fuse, 60);
    EXPECT_EQ(cFixedBomb(0, 0, 39).Fuse, 585);
    EXPECT_EQ(cFixedBomb(0, 0, 0).Fuse, 6);
    // A negative fuse would never reach its blast and burst every frame
    // forever; it gets the shortest fuse instead.
    EXPECT_EQ(cFixedBomb(0, 0, -1).Fuse, 6);
    EXPECT_EQ(cFixedBomb(0, 0, -32768).Fuse, 6);
    EXPECT_EQ(cFixedBomb(0, 0, 32767).Fuse, 32767 * 15);
}

TEST_F(Bombs, LongFuseWaitsSilently) {
    cFixedBomb b(100, 100, 8);  // 120 frames
    const std::vector<Frame> t = RunFuse(b, 61);
    for (int f = 1; f <= 60; ++f) {
        EXPECT_EQ(t[f - 1].newParticles, 0) << f;
        EXPECT_FALSE(t[f - 1].fuseBurning) << f;
        EXPECT_EQ(t[f - 1].kind, KIND_BOMB) << f;
    }
    EXPECT_EQ(t[60].kind, KIND_FUSE_LIT);
}

TEST_F(Bombs, UnplacedBombBurnsOffTheFieldUnheard) {
    cBomb b;
    const std::vector<Frame> t = RunFuse(b, 61);
    for (const Frame& f : t) {
        EXPECT_FALSE(f.fuseBurning);
        EXPECT_FALSE(f.bang);
    }
    EXPECT_EQ(LiveParticles(), 60 + 5 * 32);  // still spawned, out of sight
}

TEST_F(Bombs, NotDrawnOnceTheCountReachesZero) {
    DrawLog log;
    cBomb b;
    Place(b, 100, 100);
    cFixedBomb f(300, 60, 2);
    b.Draw(world, log, 0, 0);
    b.Count = 1;
    f.Count = 1;
    b.Draw(world, log, 3, -2);
    f.Draw(world, log, 0, 0);
    b.Count = 0;
    f.Count = 0;
    b.Draw(world, log, 0, 0);
    f.Draw(world, log, 0, 0);
    EXPECT_EQ(log.drawn, (std::vector<std::string>{"bomb 100 100", "bomb 103 98", "fixed-bomb 300 60"}));
}

TEST_F(Bombs, ResetRestoresHomeFuseAndBox) {
    cBomb b;
    Place(b, 40, 60);
    b.Fuse = 90;
    for (int i = 0; i < 100; ++i) StepAlone(b);
    EXPECT_EQ(b.x.Whole(), -2048);
    b.Reset();
    EXPECT_EQ(b.x, Fixed::FromInt(40));
    EXPECT_EQ(b.y, Fixed::FromInt(60));
    EXPECT_EQ(b.Count, 90);
    EXPECT_EQ(b.Radius, 0);
    EXPECT_EQ(b.box.w, 24);
    EXPECT_EQ(b.Kind(), KIND_BOMB);
}

}  // namespace
