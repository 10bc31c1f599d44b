#include <allegro.h>
#include <gtest/gtest.h>

#include "game/assets.h"
#include "game/frame_draw.h"
#include "platform/allegro/allegro_picture.h"
#include "sim/particles.h"
#include "sim/world.h"
#include "support/headless.h"

namespace {

class Particles : public ::testing::Test {
protected:
    static void SetUpTestSuite() { StartHeadless(); }

    // The flare strip's pictures are told apart by colour.
    void SetUp() override {
        for (int i = 0; i < 4; ++i) {
            pictures[i] = create_bitmap(16, 16);
            clear_to_color(pictures[i], makecol(10 + 40 * i, 200, 30));
            assets.strips[static_cast<int>(Strip::Flare)][i] = AsPicture(pictures[i]);
        }
        target = create_bitmap(640, 480);
        clear_to_color(target, 0);
    }
    void TearDown() override {
        for (BITMAP* b : pictures) destroy_bitmap(b);
        destroy_bitmap(target);
    }

    Particle Make(int life, int delay = 5) {
        Particle p;
        p.x = Fixed::FromInt(100);
        p.y = Fixed::FromInt(100);
        p.life = life;
        p.delay = p.countdown = delay;
        p.strip = Strip::Flare;
        return p;
    }

    int PictureAt(int x, int y) {
        const int c = getpixel(target, x, y);
        for (int i = 0; i < 4; ++i)
            if (c == makecol(10 + 40 * i, 200, 30)) return i;
        return -1;
    }

    void Spawn(const Particle& p) { SpawnParticle(ring, p); }
    void DrawParticles() { UpdateAndDrawParticles(AsPicture(target), world, assets); }

    World world;
    ParticleRing& ring = world.ParticlePool;
    Assets assets;
    BITMAP* pictures[4] = {};
    BITMAP* target = nullptr;
};

TEST_F(Particles, SpawnsFillTheRingInOrderAndSkipOneLiveSlot) {
    for (int i = 0; i < 3; ++i) Spawn(Make(10 + i));
    EXPECT_EQ(ring.slots[0].life, 10);
    EXPECT_EQ(ring.slots[2].life, 12);
    EXPECT_EQ(ring.nextSlot, 3);

    // Wrapping: the live slot 0 is skipped.
    ring.nextSlot = 799;
    Spawn(Make(7));
    EXPECT_EQ(ring.slots[799].life, 7);
    EXPECT_EQ(ring.nextSlot, 1);

    // Slots 5 and 6 live: a spawn at 4 skips 5 only, the next overwrites 6.
    ring = ParticleRing{};
    ring.slots[5] = Make(55);
    ring.slots[6] = Make(66);
    ring.nextSlot = 4;
    Spawn(Make(4));
    EXPECT_EQ(ring.nextSlot, 6);
    Spawn(Make(99));
    EXPECT_EQ(ring.slots[6].life, 99);
    EXPECT_EQ(ring.slots[5].life, 55);
    EXPECT_EQ(ring.nextSlot, 7);
}

TEST_F(Particles, AFullRingOverwritesEverySecondSlot) {
    for (int i = 0; i < kParticleSlots; ++i) ring.slots[i] = Make(1000 + i);
    ring.nextSlot = 0;
    for (int i = 0; i < 10; ++i) Spawn(Make(1));
    for (int i = 0; i < 20; ++i) EXPECT_EQ(ring.slots[i].life == 1, i % 2 == 0) << i;
    EXPECT_EQ(ring.nextSlot, 20);
}

TEST_F(Particles, ALifeOfOneIsDrawnOnceAlreadyMovedThenFreed) {
    Particle p = Make(1);
    p.vx = Fixed::FromInt(3);
    p.vy = Fixed::FromInt(-2);
    Spawn(p);
    DrawParticles();
    // Centred on (103, 98): the picture spans 95..110 and 90..105.
    EXPECT_EQ(PictureAt(95, 90), 0);
    EXPECT_EQ(PictureAt(110, 105), 0);
    EXPECT_EQ(PictureAt(94, 90), -1);
    EXPECT_EQ(PictureAt(111, 105), -1);
    EXPECT_EQ(ring.slots[0].life, 0);

    clear_to_color(target, 0);
    DrawParticles();
    EXPECT_EQ(PictureAt(103, 98), -1);
}

TEST_F(Particles, PicturesAdvanceEveryDelayFrames) {
    Spawn(Make(20, 7));
    int shown[4] = {};
    for (int frame = 0; frame < 20; ++frame) {
        DrawParticles();
        shown[ring.slots[0].picture] += 1;
    }
    EXPECT_EQ(shown[0], 6);
    EXPECT_EQ(shown[1], 7);
    EXPECT_EQ(shown[2], 7);
    EXPECT_EQ(shown[3], 0);
    EXPECT_EQ(ring.slots[0].life, 0);
}

TEST_F(Particles, AccelerationActsAfterTheMove) {
    Particle p = Make(40, 11);
    p.vy = Fixed::Raw(-512);
    p.ay = Fixed::Raw(128);
    Spawn(p);
    DrawParticles();
    EXPECT_EQ(ring.slots[0].y.raw, 100 * 256 - 512);
    EXPECT_EQ(ring.slots[0].vy.raw, -384);
    DrawParticles();
    EXPECT_EQ(ring.slots[0].y.raw, 100 * 256 - 512 - 384);
    EXPECT_EQ(ring.slots[0].vy.raw, -256);
}

TEST_F(Particles, AdditiveParticlesBlendIntoTheTarget) {
    clear_to_color(target, makecol(0, 0, 0));
    Particle p = Make(5);
    p.additive = true;
    Spawn(p);
    DrawParticles();
    const int c = getpixel(target, 100, 100);
    // 32/256 of the picture's green (200) is added to black.
    EXPECT_GT(getg(c), 0);
    EXPECT_LT(getg(c), 60);
}

}  // namespace
