#include <gtest/gtest.h>

#include "sim/particles.h"
#include "sim/player.h"
#include "support/play_field.h"

namespace {

class Hamster : public PlayFieldTest {
protected:
    void StepAlone(cPlayer& p) {
        p.Step(world);
        TakeSounds();
    }
    DrawLog log;
};

TEST_F(Hamster, BuiltFourPixelsBelowItsRecordAndReset) {
    cPlayer p(80, 84, 3);
    EXPECT_EQ(p.HomeX, 80);
    EXPECT_EQ(p.HomeY, 88);
    EXPECT_EQ(p.Id, 3);
    const Box world = p.WorldBox();
    EXPECT_EQ(world.x, 68);
    EXPECT_EQ(world.y, 76);
    EXPECT_EQ(world.y + world.h, 100);  // on the top edge of a block row at y = 110
    EXPECT_EQ(p.ExitTime, 120);
    EXPECT_FALSE(p.Fast);
    EXPECT_EQ(p.Kind(), KIND_HAMSTER);
}

TEST_F(Hamster, FreeFallReachesSixPixelsAFrameAndStays) {
    cPlayer p(300, 100, 0);
    int32_t expectedY = p.y.raw;
    for (int n = 1; n <= 100; ++n) {
        expectedY += p.Velocity.y.raw;
        StepAlone(p);
        ASSERT_EQ(p.Velocity.y.raw, std::min(24 * n, 1536)) << "step " << n;
        ASSERT_EQ(p.y.raw, expectedY) << "step " << n;
        ASSERT_EQ(p.x.raw, 300 * 256);
    }
    // Straight down: vx is 0, so the picture turns the negative way.
    EXPECT_LT(p.Angle, 0);
}

TEST_F(Hamster, GravityAlternatesAroundTheTargetWithoutClamp) {
    cPlayer p(300, 100, 0);
    p.Velocity.y = Fixed::Raw(1540);
    StepAlone(p);
    EXPECT_EQ(p.Velocity.y.raw, 1516);
    StepAlone(p);
    EXPECT_EQ(p.Velocity.y.raw, 1540);
    StepAlone(p);
    EXPECT_EQ(p.Velocity.y.raw, 1516);
}

TEST_F(Hamster, FrictionStopsAtZeroAndDependsOnResting) {
    cPlayer p(300, 100, 0);
    p.Resting = true;
    p.Velocity.x = Fixed::Raw(30);
    StepAlone(p);
    EXPECT_EQ(p.Velocity.x.raw, 6);
    EXPECT_EQ(p.Velocity.y.raw, 0);  // resting: gravity target 0
    StepAlone(p);
    EXPECT_EQ(p.Velocity.x.raw, 0);

    p.Velocity.x = Fixed::Raw(-30);
    StepAlone(p);
    StepAlone(p);
    EXPECT_EQ(p.Velocity.x.raw, 0);

    cPlayer flying(300, 100, 0);
    flying.Velocity.x = Fixed::Raw(-30);
    StepAlone(flying);
    EXPECT_EQ(flying.Velocity.x.raw, -29);  // in the air friction is 1 a frame
}

TEST_F(Hamster, UpwardThrowTurnsAfterEightyFourSteps) {
    cPlayer p(300, 400, 0);
    p.Velocity.y = Fixed::Raw(-2000);
    for (int n = 1; n <= 83; ++n) StepAlone(p);
    EXPECT_EQ(p.Velocity.y.raw, -8);
    const int32_t before = p.y.raw;
    StepAlone(p);
    EXPECT_EQ(p.Velocity.y.raw, 16);
    EXPECT_EQ(p.y.raw, before - 8);  // the last rising step
    StepAlone(p);
    EXPECT_EQ(p.y.raw, before + 8);
}

TEST_F(Hamster, ScreamsOnTheSecondStepAfterABlast) {
    cPlayer p(300, 100, 0);
    p.ScreamDelay = 3;
    StepAlone(p);
    EXPECT_EQ(p.ScreamDelay, 2);
    EXPECT_EQ(Screams(), 0);
    StepAlone(p);
    EXPECT_EQ(p.ScreamDelay, 1);
    EXPECT_EQ(Screams(), 1);
    for (int i = 0; i < 10; ++i) StepAlone(p);
    EXPECT_EQ(p.ScreamDelay, 0);
    EXPECT_EQ(Screams(), 1);
}

TEST_F(Hamster, FastIsRecomputedFromTheSquaredSpeed) {
    cPlayer p(300, 100, 0);
    p.Velocity.x = Fixed::Raw(1800);  // (1800^2 >> 8) >> 8 = 49: not fast
    StepAlone(p);
    EXPECT_FALSE(p.Fast);
    EXPECT_EQ(p.Angle, 49);
    p.Velocity = {Fixed::Raw(1900), Fixed()};  // 55
    StepAlone(p);
    EXPECT_TRUE(p.Fast);
    EXPECT_EQ(p.Kind(), KIND_HAMSTER_FAST);
    // Reset leaves Fast for the next Step to recompute.
    p.Reset();
    EXPECT_TRUE(p.Fast);
    EXPECT_EQ(p.Kind(), KIND_HAMSTER_FAST);
    StepAlone(p);
    EXPECT_FALSE(p.Fast);
}

TEST_F(Hamster, ResetClearsMotionAndFlags) {
    cPlayer p(100, 100, 0);
    p.Velocity = {Fixed::Raw(500), Fixed::Raw(-300)};
    p.TargetVelocity.y = Fixed::Raw(1536);
    p.Resting = p.Landed = p.SoftLanding = p.Blasted = p.Aware = true;
    p.Angle = 77;
    p.PuffTime = 20;
    p.ExitTime = 3;
    p.ScreamDelay = 2;
    p.x = Fixed::FromInt(5);
    p.Reset();
    EXPECT_EQ(p.x, Fixed::FromInt(100));
    EXPECT_EQ(p.y, Fixed::FromInt(104));
    EXPECT_EQ(p.Velocity.x.raw, 0);
    EXPECT_EQ(p.Velocity.y.raw, 0);
    EXPECT_EQ(p.TargetVelocity.y.raw, 0);
    EXPECT_FALSE(p.Resting || p.Landed || p.SoftLanding || p.Blasted || p.Aware);
    EXPECT_EQ(p.Angle, 0);
    EXPECT_EQ(p.PuffTime, 0);
    EXPECT_EQ(p.ExitTime, 120);
    EXPECT_EQ(p.ScreamDelay, 0);
}

TEST_F(Hamster, PuffsComeFromDrawAndFollowTheSpeed) {
    cPlayer p(300, 200, 0);
    p.Draw(world, log, 0, 0);
    EXPECT_EQ(LiveParticles(), 0);
    p.Blasted = true;
    p.PuffTime = 480;
    p.Draw(world, log, 0, 0);
    EXPECT_EQ(LiveParticles(), 3);
    EXPECT_EQ(p.PuffTime, 479);
    p.Fast = true;
    p.Draw(world, log, 0, 0);
    EXPECT_EQ(LiveParticles(), 10);
    // Every puff keeps its picture index inside the strip for its whole life.
    for (const Particle& q : world.ParticlePool.slots) {
        if (q.life) {
            EXPECT_LT(q.life / q.delay, 4);
        }
    }
}

TEST_F(Hamster, PictureFollowsTheFlags) {
    cPlayer p(200, 200, 0);
    p.Draw(world, log, 0, 0);
    p.Blasted = true;
    p.Draw(world, log, 0, 0);
    p.Landed = true;
    p.Draw(world, log, 0, 0);
    EXPECT_EQ(log.drawn, (std::vector<std::string>{"hamster upright 200 204", "hamster spinning 200 204",
                                                   "hamster crater 200 204"}));
}

}  // namespace
