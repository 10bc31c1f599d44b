// The cost of one whole frame (everything but presenting) on the busiest
// scene we can make, against its floor: the frame's two full-screen copies
// (background into the back buffer, back buffer to the screen), here two
// blits between 640 x 480 16-bit memory bitmaps.
#include <allegro.h>
#include <benchmark/benchmark.h>

#include <time.h>

#include "bench_support.h"
#include "levels/level_table.h"
#include "levels/sim_state.h"
#include "levels/world.h"
#include "objects/object.h"
#include "play/hud_controls.h"
#include "objects/particles.h"
#include "shell/asset_files.h"
#include "objects/asset_handles.h"
#include "shell/assets.h"
#include "shell/frame_io.h"
#include "shell/frame_loop.h"
#include "shell/game_flow.h"
#include "objects/frame_globals.h"
#include "play/input.h"

namespace {

class NoPlayer : public FrameIo {
public:
    void Sample(InputSample&) override {}
    void Present(BITMAP*) override {}
};

// The two copies every frame makes, between memory bitmaps of the window's size.
struct Blits {
    BITMAP* screenStandIn = nullptr;
    Blits() { screenStandIn = create_bitmap(kScreenWidth, kScreenHeight); }
    ~Blits() { destroy_bitmap(screenStandIn); }
    void Run() {
        const ShellBitmaps& b = BenchBitmaps();
        blit(b.background.get(), b.backBuffer.get(), 0, 0, 0, 0, kScreenWidth, kScreenHeight);
        blit(b.backBuffer.get(), screenStandIn, 0, 0, 0, 0, kScreenWidth, kScreenHeight);
    }
};

// This thread's processor time: the machine may be shared, and waiting for a
// core is no cost of the frame's.
double CpuNs() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e9 + t.tv_nsec;
}

// Nanoseconds per pair of blits, best of a few batches.
double BlitFloorNs() {
    Blits blits;
    double best = 1e30;
    for (int batch = 0; batch < 10; ++batch) {
        const double start = CpuNs();
        for (int i = 0; i < 200; ++i) blits.Run();
        const double each = (CpuNs() - start) / 200;
        if (each < best) best = each;
    }
    return best;
}

// A particle that lives as long as the run and stays on its first picture.
Particle Lasting(int i) {
    Particle p;
    p.x = Fixed::FromInt(16 + (i * 37) % 608);
    p.y = Fixed::FromInt(16 + (i * 53) % 380);
    p.vx = Fixed::Raw((i % 7) - 3);
    p.life = p.delay = p.countdown = 1 << 30;
    p.strip = i % 3 == 0 ? DustFrames : FlareFrames;
    p.additive = i % 5 != 0;
    return p;
}

// Every free slot gets a lasting particle: the ring stays full.
void FillPool() {
    for (int i = 0; i < kParticleSlots; ++i)
        if (ParticlePool.slots[i].life == 0) ParticlePool.slots[i] = Lasting(i);
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
        ResetSimulation();
        StartLevel(state_, BuiltinLevels[6]);
        PlaceInventoryBomb(0, 440, 236, kShortestFuse);  // below and left of the hamster at (460, 228)
        EditMode = false;
        FillPool();
    }
    ~BusiestScene() {
        EndLevel(state_);
        ResetSimulation();
    }
    void Frame() {
        RunFrame(state_, BenchBitmaps(), io_);
        if (++frame_ % kCycle == 0) Rearm();
        FillPool();
    }
    // As the return to edit mode does, without its edit-mode frame.
    void Rearm() {
        for (cObject* o : ObjectList) o->Reset();
        EditMode = false;
    }

private:
    ShellState state_;
    NoPlayer io_;
    long frame_ = 0;
};

void BM_TwoFullScreenBlits(benchmark::State& state) {
    StartBenchHeadless();
    Blits blits;
    for (auto _ : state) blits.Run();
}
BENCHMARK(BM_TwoFullScreenBlits)->Unit(benchmark::kMicrosecond);

void BM_BusiestFrame(benchmark::State& state) {
    StartBenchHeadless();
    const double floorNs = BlitFloorNs();
    BusiestScene scene;
    long live = 0;
    const double start = CpuNs();
    for (auto _ : state) {
        scene.Frame();
        benchmark::ClobberMemory();
    }
    const double frameNs = (CpuNs() - start) / static_cast<double>(state.iterations());
    for (const Particle& p : ParticlePool.slots) live += p.life != 0;
    state.counters["blits_us"] = floorNs / 1000;
    state.counters["x_blits"] = frameNs / floorNs;
    state.counters["particles"] = static_cast<double>(live);
}
BENCHMARK(BM_BusiestFrame)->Unit(benchmark::kMicrosecond);

// For comparison, the commonest frame: level 1 in edit mode, nothing moving.
void BM_QuietEditFrame(benchmark::State& state) {
    StartBenchHeadless();
    ResetSimulation();
    ShellState shell;
    NoPlayer io;
    StartLevel(shell, BuiltinLevels[0]);
    EditMode = true;
    for (auto _ : state) RunFrame(shell, BenchBitmaps(), io);
    EndLevel(shell);
}
BENCHMARK(BM_QuietEditFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
