// The cost of one translucent 16 x 16 particle on a 640 x 480 16-bit back
// buffer: Allegro's draw_trans_sprite with the additive blender at 32 against
// DrawAdditiveSprite's fastest (AVX2 where the processor has it, else SSE2)
// and portable loops, over the game's own
// flare and dust pictures (mostly mask colour) or, as the worst case, pictures
// without any. All three draw the same 800 particles in turn in every
// iteration, so a busy machine slows them alike; the counters give
// nanoseconds of this thread's processor time per particle (the time column
// is all three together).
#include <benchmark/benchmark.h>

#include <time.h>

#include <random>

#include "bench_support.h"
#include "game/asset_files.h"
#include "game/assets.h"
#include "game/sprite_drawing.h"
#include "platform/allegro/allegro_picture.h"

namespace {

constexpr int kParticles = 800;

double ThreadCpuNs() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e9 + t.tv_nsec;
}

struct Placed {
    BITMAP* picture;
    int x, y;
};

void BM_AdditiveParticle(benchmark::State& state) {
    StartBenchHeadless();
    BITMAP* background = Bitmap(BenchBitmaps().background.get());
    BITMAP* target = create_bitmap(kScreenWidth, kScreenHeight);

    // The game's pictures, or as many random ones without mask colour.
    const bool opaque = state.range(0) != 0;
    std::mt19937 rng(1);
    BITMAP* pictures[2 * kStripFrames];
    for (int i = 0; i < 2 * kStripFrames; ++i) {
        pictures[i] = Bitmap(BenchBitmaps().StripPicture(i % 2 ? Strip::Dust : Strip::Flare, i / 2));
        if (!opaque) continue;
        pictures[i] = create_bitmap(16, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) putpixel(pictures[i], x, y, static_cast<int>(rng() % MASK_COLOR_16));
    }

    // Spread over the screen as in the busiest frame, every picture in turn.
    Placed particles[kParticles];
    for (int i = 0; i < kParticles; ++i)
        particles[i] = {pictures[i % (2 * kStripFrames)], 8 + (i * 37) % 608, 8 + (i * 53) % 448};

    set_add_blender(0, 0, 0, 32);  // once, as the game does
    // Each way draws onto a fresh copy of the background; the copy is not timed.
    double allegroNs = 0, fastestNs = 0, portableNs = 0;
    auto timed = [&](double& total, auto draw) {
        state.PauseTiming();
        blit(background, target, 0, 0, 0, 0, kScreenWidth, kScreenHeight);
        state.ResumeTiming();
        const double start = ThreadCpuNs();
        for (const Placed& p : particles) draw(p);
        total += ThreadCpuNs() - start;
        benchmark::ClobberMemory();
    };
    for (auto _ : state) {
        timed(allegroNs, [&](const Placed& p) { draw_trans_sprite(target, p.picture, p.x, p.y); });
        timed(fastestNs, [&](const Placed& p) {
            DrawAdditiveSprite(AsPicture(target), AsPicture(p.picture), p.x, p.y, SpriteLoop::Fastest);
        });
        timed(portableNs, [&](const Placed& p) {
            DrawAdditiveSprite(AsPicture(target), AsPicture(p.picture), p.x, p.y, SpriteLoop::Portable);
        });
    }
    const double drawn = static_cast<double>(state.iterations()) * kParticles;
    state.counters["allegro_ns"] = allegroNs / drawn;
    state.counters["ours_ns"] = fastestNs / drawn;
    state.counters["portable_ns"] = portableNs / drawn;
    state.counters["x_faster"] = allegroNs / fastestNs;
    state.SetLabel(SpriteLoopAvailable(SpriteLoop::Avx2) ? "ours: AVX2" : "ours: SSE2");
    if (opaque)
        for (BITMAP* picture : pictures) destroy_bitmap(picture);
    destroy_bitmap(target);
}
BENCHMARK(BM_AdditiveParticle)->ArgName("opaque")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
