// Whole frames drawn with the game's own sprite loops must be the very
// pictures Allegro's draw_sprite and draw_trans_sprite make. The scene is the
// busiest one there is: level 7 in run mode, its bomb bursting beside the
// hamster every 30 frames, bricks breaking, the ring of 800 particles kept
// full (many of them partly off the screen's edges), the additive cursor
// moving along the edges. Each frame is drawn from the same state once with
// each loop this processor has and once through Allegro, and compared.
#include <algorithm>
#include <cstring>
#include <vector>

#include <allegro.h>

#include "game/scripted_play.h"
#include "game/sprite_drawing.h"
#include "packs/builtin_levels.h"
#include "platform/allegro/allegro_picture.h"
#include "sim/fuse.h"
#include "sim/particles.h"
#include "sim/placement.h"

namespace {

// Lives through the test on its first picture, anywhere from a little off
// the top left to a little off the bottom right of the screen.
Particle Lasting(int i) {
    Particle p;
    p.x = Fixed::FromInt(-12 + (i * 37) % 664);
    p.y = Fixed::FromInt(-12 + (i * 53) % 504);
    p.vx = Fixed::Raw((i % 7) - 3);
    p.life = p.delay = p.countdown = 1 << 30;
    p.strip = i % 3 == 0 ? Strip::Dust : Strip::Flare;
    p.additive = i % 5 != 0;
    return p;
}

class BusiestFrame : public FrameTest {
protected:
    void TearDown() override {
        SetFastestSpriteLoop(SpriteLoop::Fastest);
        FrameTest::TearDown();
    }

    std::vector<unsigned char> Pixels() {
        BITMAP* b = Bitmap(Buffer());
        const size_t row = static_cast<size_t>(b->w) * 2;
        std::vector<unsigned char> bytes(row * static_cast<size_t>(b->h));
        for (int y = 0; y < b->h; ++y) std::memcpy(bytes.data() + row * static_cast<size_t>(y), b->line[y], row);
        return bytes;
    }
};

TEST_F(BusiestFrame, EveryLoopDrawsAllegrosPicture) {
    Start(BuiltinLevels[6]);
    Place(world, {0, 440, 236, kShortestFuse});
    world.EditMode = false;
    std::vector<SpriteLoop> loops;
    for (SpriteLoop loop : {SpriteLoop::Avx2, SpriteLoop::Sse2, SpriteLoop::Lanes, SpriteLoop::Portable})
        if (SpriteLoopAvailable(loop)) loops.push_back(loop);

    int sawFullRing = 0;
    for (int f = 0; f < 120; ++f) {
        if (f % 30 == 29) {  // as the return to edit mode rearms the level
            world.ResetObjects();
            world.EditMode = false;
        }
        for (int i = 0; i < kParticleSlots; ++i)
            if (world.ParticlePool.slots[i].life == 0) world.ParticlePool.slots[i] = Lasting(i);
        sawFullRing += LiveParticleCount(world.ParticlePool) == kParticleSlots;
        io.MoveTo(f % 2 ? 636 - f % 9 : f * 5 % 640, f % 3 ? 476 - f % 7 : f * 4 % 480);

        const GameState before = state;
        SetFastestSpriteLoop(SpriteLoop::Allegro);
        Frames();
        const std::vector<unsigned char> allegro = Pixels();
        for (SpriteLoop loop : loops) {
            state = before;
            SetFastestSpriteLoop(loop);
            Frames();
            const std::vector<unsigned char> ours = Pixels();
            const char* name = loop == SpriteLoop::Avx2    ? "AVX2"
                               : loop == SpriteLoop::Sse2  ? "SSE2"
                               : loop == SpriteLoop::Lanes ? "lanes (the page's SIMD)"
                                                           : "portable";
            ASSERT_TRUE(ours == allegro) << "frame " << f << ", " << name << " loop: "
                                         << std::mismatch(ours.begin(), ours.end(), allegro.begin()).first -
                                                ours.begin()
                                         << " bytes agree, then the pictures differ";
        }
    }
    EXPECT_EQ(sawFullRing, 120);
    EXPECT_FALSE(loops.empty());
}

}  // namespace
