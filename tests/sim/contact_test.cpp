#include <gtest/gtest.h>

#include <vector>

#include "sim/blocks.h"
#include "sim/bomb.h"
#include "sim/particles.h"
#include "sim/player.h"
#include "support/play_field.h"

namespace {

class Contacts : public PlayFieldTest {
protected:
    void Touch(cPlayer& p, cObject& other) {
        p.Contact(world, &other);
        TakeSounds();
    }
    // The hamster's broad phase over objects as the play-field's list.
    void CollideWith(cPlayer& p, std::vector<cObject*> objects) {
        world.ObjectList = std::move(objects);
        p.Collide(world);
    }
    const Particle& Slot(int i) const { return world.ParticlePool.slots[i]; }
};

// A hamster whose centre is at (x, y) whole pixels.
cPlayer HamsterAt(int x, int y) {
    cPlayer p(static_cast<short>(x), static_cast<short>(y - 4), 0);
    return p;
}

// A placed inventory bomb in its blast (or fuse-lit) frame at (x, y).
cBomb BombAt(int x, int y, int countAfterStep) {
    cBomb b;
    b.HomeX = static_cast<short>(x);
    b.HomeY = static_cast<short>(y);
    b.Fuse = countAfterStep + 1;
    b.Reset();
    World aside;  // its spark and sounds go nowhere
    b.Step(aside);
    return b;
}

TEST_F(Contacts, RestingExactlyOnABlockChangesNothing) {
    cPlayer p = HamsterAt(100, 88);  // box bottom at y = 100
    cBlock block(100, 110);          // top edge at y = 100
    EXPECT_FALSE(Overlaps(p.WorldBox(), block.WorldBox()));
    p.Resting = true;
    CollideWith(p, {&p, &block});
    EXPECT_EQ(p.x, Fixed::FromInt(100));
    EXPECT_EQ(p.y, Fixed::FromInt(88));
    EXPECT_EQ(p.Velocity.x.raw, 0);
    EXPECT_EQ(p.Velocity.y.raw, 0);
    EXPECT_FALSE(p.Resting);  // regained only through the landing rule
    EXPECT_EQ(LiveParticles(), 0);
}

TEST_F(Contacts, SideHitsSnapBesideAndBounceAtHalfSpeed) {
    cBlock block(124, 100);
    {
        cPlayer p = HamsterAt(100, 100);
        p.Velocity.x = Fixed::Raw(1000);
        Touch(p, block);
        EXPECT_EQ(p.x, Fixed::FromInt(124 - 22));
        EXPECT_EQ(p.Velocity.x.raw, -256);
    }
    {
        cPlayer p = HamsterAt(148, 100);
        p.Velocity.x = Fixed::Raw(-1000);
        Touch(p, block);
        EXPECT_EQ(p.x, Fixed::FromInt(124 + 22));
        EXPECT_EQ(p.Velocity.x.raw, 512);
    }
    {
        cPlayer p = HamsterAt(101, 100);  // touching already, creeping at raw -1
        p.Velocity.x = Fixed::Raw(-1);
        cBlock left(80, 100);
        Touch(p, left);
        EXPECT_EQ(p.Velocity.x.raw, 0);
    }
}

TEST_F(Contacts, FallingBouncesUntilASoftImpactThenLands) {
    cBlock block(100, 110);
    cPlayer p = HamsterAt(100, 86);
    p.Velocity.y = Fixed::Raw(1000);
    Touch(p, block);
    EXPECT_EQ(p.Velocity.y.raw, -256);
    EXPECT_FALSE(p.SoftLanding);
    EXPECT_EQ(p.y, Fixed::FromInt(88));  // standing on the block

    p.y = Fixed::FromInt(87);
    p.Velocity.y = Fixed::Raw(700);
    Touch(p, block);
    EXPECT_TRUE(p.SoftLanding);
    EXPECT_EQ(p.Velocity.y.raw, -256);
    EXPECT_FALSE(p.Resting);

    p.y = Fixed::FromInt(88);  // standing exactly on it, still moving down
    p.Velocity.y = Fixed::Raw(300);
    Touch(p, block);
    EXPECT_TRUE(p.Resting);
    EXPECT_TRUE(p.Landed);
    EXPECT_EQ(p.Velocity.y.raw, 0);
    EXPECT_EQ(p.y, Fixed::FromInt(88));
}

TEST_F(Contacts, UndersideHitBouncesDownAndPlacesBelow) {
    cBlock block(100, 60);  // occupies y 50..70
    cPlayer p = HamsterAt(100, 84);
    p.Velocity.y = Fixed::Raw(-1000);
    Touch(p, block);
    EXPECT_EQ(p.Velocity.y.raw, 512);
    EXPECT_EQ(p.y, Fixed::FromInt(60 + 22));

    cPlayer slow = HamsterAt(100, 83);
    slow.Velocity.y = Fixed::Raw(-300);
    Touch(slow, block);
    EXPECT_EQ(slow.Velocity.y.raw, 256);
}

TEST_F(Contacts, SidewaysContactKicksUpDust) {
    cBlock block(100, 110);
    cPlayer p = HamsterAt(100, 86);
    p.Velocity = {Fixed::Raw(100), Fixed::Raw(1000)};
    Touch(p, block);
    EXPECT_EQ(LiveParticles(), 5);
    EXPECT_EQ(Slot(0).strip, Strip::Dust);
    EXPECT_EQ(Slot(0).y.raw, 86 * 256 + 4608);
}

TEST_F(Contacts, TwoHamstersBounceWithoutBeingSeparated) {
    cPlayer a = HamsterAt(100, 100);
    cPlayer b = HamsterAt(120, 100);
    b.Id = 1;
    a.Velocity.x = Fixed::Raw(1000);
    b.Velocity.x = Fixed::Raw(-1000);
    world.ObjectList = {&a, &b};
    Simulate();
    EXPECT_EQ(a.x.raw, 100 * 256 - 256);  // bounced and moved, never snapped
    EXPECT_EQ(a.Velocity.x.raw, -256 + 1);
    EXPECT_GT(b.Velocity.x.raw, 0);
}

TEST_F(Contacts, OnlyAFastHamsterBreaksBricks) {
    cBrick brick(124, 100);
    cPlayer slow = HamsterAt(100, 100);
    slow.Velocity.x = Fixed::Raw(1000);
    Touch(slow, brick);
    EXPECT_EQ(brick.x, Fixed::FromInt(124));
    EXPECT_EQ(slow.Velocity.x.raw, -256);
    EXPECT_EQ(LiveParticles(), 0);

    cPlayer fast = HamsterAt(100, 100);
    fast.Velocity.x = Fixed::Raw(2000);
    fast.Fast = true;
    Touch(fast, brick);
    EXPECT_EQ(fast.Velocity.x.raw, 2000);  // no bounce
    EXPECT_EQ(brick.x, Fixed::FromInt(124 - 1024));
    EXPECT_EQ(brick.y, Fixed::FromInt(100 - 1024));
    EXPECT_EQ(LiveParticles(), 8);
    EXPECT_EQ(Slot(0).strip, Strip::Bricks);
    EXPECT_EQ(Slot(0).ay.raw, 128);
    EXPECT_EQ(Slot(1).strip, Strip::Dust);

    brick.Reset();
    EXPECT_EQ(brick.x, Fixed::FromInt(124));
    EXPECT_EQ(brick.box.w, 20);
}

TEST_F(Contacts, BricksIgnoreSlowHits) {
    cBrick brick(50, 50);
    cPlayer slow = HamsterAt(0, 0);
    cExit exit(0, 0, 10, 10);
    brick.Hit(world, &slow);
    brick.Hit(world, &exit);
    EXPECT_EQ(brick.x, Fixed::FromInt(50));
    EXPECT_EQ(LiveParticles(), 0);
    cBomb blast = BombAt(60, 60, 1);
    ASSERT_EQ(blast.Kind(), KIND_BLAST);
    brick.Hit(world, &blast);
    EXPECT_EQ(brick.x, Fixed::FromInt(50 - 1024));
}

TEST_F(Contacts, BlastImpulseByDistance) {
    {
        cPlayer p = HamsterAt(200, 200);
        cBomb b = BombAt(200, 200, 1);
        Touch(p, b);
        EXPECT_EQ(p.Velocity.x.raw, 5056);  // zero distance pushes right
        EXPECT_EQ(p.Velocity.y.raw, 0);
        EXPECT_TRUE(p.Blasted);
        EXPECT_TRUE(p.Fast);
        EXPECT_EQ(p.ScreamDelay, 3);
        EXPECT_EQ(p.PuffTime, 480);
    }
    {
        cPlayer p = HamsterAt(200, 200);
        cBomb b = BombAt(140, 145, 1);  // 60, 55: 81.4 pixels, inside the 128 box
        CollideWith(p, {&p, &b});
        EXPECT_EQ(p.Velocity.x.raw, 0);
        EXPECT_FALSE(p.Blasted);
    }
    {
        cPlayer p = HamsterAt(200, 200);
        cBomb b = BombAt(200, 240, 1);  // 40 below: thrown straight up
        p.Landed = p.SoftLanding = true;
        Touch(p, b);
        EXPECT_EQ(p.Velocity.x.raw, 0);
        EXPECT_EQ(p.Velocity.y.raw, -(256 * 40) >> 2);
        EXPECT_FALSE(p.Landed);
        EXPECT_FALSE(p.SoftLanding);
    }
    {
        // 3, 4: distance 5, direction (153, 204), strength 75.
        cPlayer p = HamsterAt(203, 204);
        cBomb b = BombAt(200, 200, 1);
        p.Velocity.x = Fixed::Raw(100);
        Touch(p, b);
        EXPECT_EQ(p.Velocity.x.raw, 100 + ((153 * 75) >> 2));
        EXPECT_EQ(p.Velocity.y.raw, (204 * 75) >> 2);
    }
}

TEST_F(Contacts, SimultaneousBlastsAddUp) {
    cPlayer p = HamsterAt(200, 200);
    cBomb left = BombAt(170, 200, 1);
    cBomb right = BombAt(240, 200, 1);
    CollideWith(p, {&p, &left, &right});
    EXPECT_EQ(p.Velocity.x.raw, ((256 * 50) >> 2) + ((-256 * 40) >> 2));
}

TEST_F(Contacts, GaspOnlyOncePerResetAndNeverAfterABlast) {
    cPlayer p = HamsterAt(200, 200);
    cBomb lit = BombAt(220, 200, 59);
    ASSERT_EQ(lit.Kind(), KIND_FUSE_LIT);
    Touch(p, lit);
    EXPECT_TRUE(p.Aware);
    Touch(p, lit);
    EXPECT_EQ(TimesPlayed(SoundId::Huh01) + TimesPlayed(SoundId::Huh02), 1);

    p.Reset();
    p.Blasted = true;
    Touch(p, lit);
    EXPECT_TRUE(p.Aware);
    EXPECT_EQ(TimesPlayed(SoundId::Huh01) + TimesPlayed(SoundId::Huh02), 1);

    cPlayer edge = HamsterAt(300, 200);  // exactly 80 pixels: still noticed
    Touch(edge, lit);
    EXPECT_TRUE(edge.Aware);
    cPlayer far = HamsterAt(301, 200);
    Touch(far, lit);
    EXPECT_FALSE(far.Aware);
}

TEST_F(Contacts, ExitCountsOnTheHundredAndTwentyFirstFrame) {
    cPlayer p = HamsterAt(100, 100);
    p.Id = 5;
    cExit exit(80, 80, 40, 40);
    for (int frame = 1; frame <= 120; ++frame) {
        world.ExitMask = 0;
        Touch(p, exit);
        ASSERT_EQ(world.ExitMask, 0u) << frame;
    }
    EXPECT_EQ(p.ExitTime, 0);
    world.ExitMask = 0;
    Touch(p, exit);
    EXPECT_EQ(world.ExitMask, 1u << 5);
}

TEST_F(Contacts, ContactsSeeEarlierContactsOfThePass) {
    // A hamster falling fast between two floor blocks: the first contact
    // bounces it, so the second block, tested with the new velocity, is
    // not touched at all.
    cPlayer p = HamsterAt(110, 86);
    p.Velocity.y = Fixed::Raw(1000);
    cBlock a(100, 110), b(120, 110);
    CollideWith(p, {&p, &a, &b});
    EXPECT_EQ(p.Velocity.y.raw, -256);
    EXPECT_FALSE(p.SoftLanding);
}

}  // namespace
