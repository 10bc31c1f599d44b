// The cost of one whole frame (everything but presenting) on the busiest
// scene we can make, against its floor: the frame's two full-screen copies
// (background into the back buffer, back buffer to the screen), here two
// blits between 640 x 480 16-bit memory bitmaps.
#include <benchmark/benchmark.h>

#include <time.h>

#include "bench_support.h"
#include "game/asset_files.h"
#include "game/assets.h"
#include "game/drawing.h"
#include "game/frame_io.h"
#include "game/frame_loop.h"
#include "game/game_flow.h"
#include "game/input.h"
#include "game/media_files.h"
#include "game/sprite_drawing.h"
#include "packs/builtin_levels.h"
#include "sim/fuse.h"
#include "sim/particles.h"
#include "sim/placement.h"
#include "sim/world.h"

namespace {

class NoPlayer : public FrameIo {
public:
    void Sample(InputSample&) override {}
    void Present(Picture*) override {}
};

// The two copies every frame makes, between pictures of the window's size
// (blits between Allegro's memory bitmaps on the native game).
struct Blits {
    BitmapHolder screenStandIn;
    Blits() { screenStandIn.Reset(NewPicture(kScreenWidth, kScreenHeight)); }
    void Run() {
        const Assets& b = BenchBitmaps();
        CopyPicture(b.background.get(), b.backBuffer.get(), 0, 0, 0, 0, kScreenWidth, kScreenHeight);
        CopyPicture(b.backBuffer.get(), screenStandIn.get(), 0, 0, 0, 0, kScreenWidth, kScreenHeight);
    }
};

// This thread's processor time: the machine may be shared, and waiting for a
// core is no cost of the frame's.
double CpuNs() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e9 + t.tv_nsec;
}

// A particle that lives as long as the run and stays on its first picture.
Particle Lasting(int i) {
    Particle p;
    p.x = Fixed::FromInt(16 + (i * 37) % 608);
    p.y = Fixed::FromInt(16 + (i * 53) % 380);
    p.vx = Fixed::Raw((i % 7) - 3);
    p.life = p.delay = p.countdown = 1 << 30;
    p.strip = i % 3 == 0 ? Strip::Dust : Strip::Flare;
    p.additive = i % 5 != 0;
    return p;
}

// Every free slot gets a lasting particle: the ring stays full.
void FillPool(ParticleRing& ring) {
    for (int i = 0; i < kParticleSlots; ++i)
        if (ring.slots[i].life == 0) ring.slots[i] = Lasting(i);
}

// Level 7 in run mode with its bomb set off beside the hamster, under the
// brick wall, every kCycle frames: the burst, the flying, spinning, puffing
// hamster and breaking bricks, over a ring of 800 live particles (topped up
// after every frame, which costs about 1 microsecond of the frame's time).
constexpr int kCycle = 30;

class BusiestScene {
public:
    BusiestScene() {
        StartBenchHeadless();
        StartLevel(state_, BuiltinLevels[6]);
        Place(state_.world, {0, 440, 236, kShortestFuse});  // below and left of the hamster at (460, 228)
        state_.world.EditMode = false;
        FillPool(state_.world.ParticlePool);
    }
    void Frame() {
        RunFrame(state_, BenchBitmaps(), io_);
        if (++frame_ % kCycle == 0) Rearm();
        FillPool(state_.world.ParticlePool);
    }
    const World& GetWorld() const { return state_.world; }
    // As the return to edit mode does, without its edit-mode frame.
    void Rearm() {
        state_.world.ResetObjects();
        state_.world.EditMode = false;
    }

private:
    GameState state_;
    NoPlayer io_;
    long frame_ = 0;
};

void BM_TwoFullScreenBlits(benchmark::State& state) {
    StartBenchHeadless();
    Blits blits;
    for (auto _ : state) blits.Run();
}
BENCHMARK(BM_TwoFullScreenBlits)->Unit(benchmark::kMicrosecond);

// Frames and the floor's two blits take turns, each timed on its own, so
// that whatever else the machine does weighs on both alike: x_blits is the
// frame's cost in multiples of the floor's, from the same stretch of time.
template <class Frame>
void FrameAgainstFloor(benchmark::State& state, Frame&& frame) {
    Blits blits;
    double frameNs = 0, floorNs = 0;
    for (auto _ : state) {
        double t = CpuNs();
        frame();
        benchmark::ClobberMemory();
        frameNs += CpuNs() - t;
        t = CpuNs();
        blits.Run();
        benchmark::ClobberMemory();
        floorNs += CpuNs() - t;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["frame_us"] = frameNs / n / 1000;
    state.counters["blits_us"] = floorNs / n / 1000;
    state.counters["x_blits"] = frameNs / floorNs;
}

// own:0 draws as the native game does; own:1 entirely with the game's own
// drawing and its lanes sprite loop, as the web build does where the
// browser has SIMD (the same loop compiled to SSE2 here); own:2 with the
// portable loop, as the web build does where it has not.
void BM_BusiestFrame(benchmark::State& state) {
    StartBenchHeadless();
    const bool own = state.range(0) != 0;
    UseDrawer(own ? Drawer::Own : Drawer::Allegro);
    SetFastestSpriteLoop(!own ? SpriteLoop::Fastest : state.range(0) == 1 ? SpriteLoop::Lanes : SpriteLoop::Portable);
    BusiestScene scene;
    FrameAgainstFloor(state, [&] { scene.Frame(); });
    state.counters["particles"] = static_cast<double>(LiveParticleCount(scene.GetWorld().ParticlePool));
    UseDrawer(Drawer::Allegro);
    SetFastestSpriteLoop(SpriteLoop::Fastest);
}
BENCHMARK(BM_BusiestFrame)->ArgName("own")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The player's mouse, moving one pixel a frame when asked to.
class Hand : public FrameIo {
public:
    explicit Hand(bool moving) : moving_(moving) {}
    void Sample(InputSample& s) override {
        s.mouseX = 300 + (moving_ ? frame_ % 40 : 0);
        s.mouseY = 200;
    }
    void Present(Picture*) override { ++frame_; }

private:
    bool moving_;
    int frame_ = 0;
};

// For comparison, the commonest frames: level 1 in edit mode, nothing moving
// but the cursor (every frame drawn), or nothing at all (drawn once, then
// only counted).
void BM_QuietEditFrame(benchmark::State& state) {
    StartBenchHeadless();
    GameState shell;
    Hand hand(state.range(0) != 0);
    StartLevel(shell, BuiltinLevels[0]);
    FrameAgainstFloor(state, [&] { RunFrame(shell, BenchBitmaps(), hand); });
    state.SetLabel(state.range(0) ? "cursor moving: drawn" : "nothing moving: not drawn again");
}
BENCHMARK(BM_QuietEditFrame)->ArgName("cursor_moving")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
