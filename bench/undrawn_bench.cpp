// The frame function with nothing drawn, as the level tools ran it, against
// the simulation's step alone, which the solver and the tools now call:
// level 1 in run mode with no bomb placed, its hamster resting on its floor.
// Both take turns in chunks within one run, so a busy machine weighs on them
// alike; x_step is the frame's cost in multiples of the step's.
#include <benchmark/benchmark.h>

#include <time.h>

#include "game/assets.h"
#include "game/frame_io.h"
#include "game/frame_loop.h"
#include "packs/builtin_levels.h"
#include "sim/step.h"
#include "sim/world.h"

namespace {

class NoPlayer : public FrameIo {
public:
    void Sample(InputSample&) override {}
    void Present(Picture*) override {}
};

double CpuNs() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e9 + t.tv_nsec;
}

void BM_UndrawnFrameAgainstTheStep(benchmark::State& state) {
    const Assets noPictures;
    GameState shell;
    shell.drawing = false;
    NoPlayer io;
    StartLevel(shell, BuiltinLevels[0]);
    shell.world.EditMode = false;
    for (int i = 0; i < 200; ++i) RunFrame(shell, noPictures, io);  // the inventory's fuses burnt out
    World world = shell.world;
    const PlayerCommands none;
    constexpr int kChunk = 20000;
    double frameNs = 0, stepNs = 0;
    long frames = 0;
    for (auto _ : state) {
        double t = CpuNs();
        for (int i = 0; i < kChunk; ++i) RunFrame(shell, noPictures, io);
        frameNs += CpuNs() - t;
        t = CpuNs();
        for (int i = 0; i < kChunk; ++i) Step(world, none);
        stepNs += CpuNs() - t;
        frames += kChunk;
    }
    state.counters["frame_ns"] = frameNs / static_cast<double>(frames);
    state.counters["step_ns"] = stepNs / static_cast<double>(frames);
    state.counters["x_step"] = frameNs / stepNs;
}
BENCHMARK(BM_UndrawnFrameAgainstTheStep)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
