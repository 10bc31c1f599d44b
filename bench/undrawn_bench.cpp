// The frame function with nothing drawn, as the level tools and the solver
// run it, against the physics alone: a bare loop of Collide and Step over the
// same objects. Level 1 in run mode with no bomb placed, its hamster resting
// on its floor: the frame as the tools spend most of their time in it.
// Both loops take turns in chunks within one run, so a busy machine weighs on
// them alike; x_bare is the frame's cost in multiples of the bare loop's.
#include <benchmark/benchmark.h>

#include <time.h>

#include "packs/level_table.h"
#include "sim/sim_state.h"
#include "sim/world.h"
#include "sim/frame_globals.h"
#include "sim/object.h"
#include "game/assets.h"
#include "game/frame_io.h"
#include "game/frame_loop.h"
#include "game/game_flow.h"

namespace {

class NoPlayer : public FrameIo {
public:
    void Sample(InputSample&) override {}
    void Present(BITMAP*) override {}
};

double CpuNs() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e9 + t.tv_nsec;
}

void BareFrame() {
    ExitMask = 0;
    FuseBurning = false;
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        ObjectList[i]->Collide(ObjectList);
        ObjectList[i]->Step();
    }
}

void BM_UndrawnFrameAgainstBarePhysics(benchmark::State& state) {
    ResetSimulation();
    const ShellBitmaps noPictures;
    ShellState shell;
    shell.drawing = false;
    NoPlayer io;
    StartLevel(shell, BuiltinLevels[0]);
    EditMode = false;
    for (int i = 0; i < 200; ++i) RunFrame(shell, noPictures, io);  // the inventory's fuses burnt out
    constexpr int kChunk = 20000;
    double frameNs = 0, bareNs = 0;
    long frames = 0;
    for (auto _ : state) {
        double t = CpuNs();
        for (int i = 0; i < kChunk; ++i) RunFrame(shell, noPictures, io);
        frameNs += CpuNs() - t;
        t = CpuNs();
        for (int i = 0; i < kChunk; ++i) BareFrame();
        bareNs += CpuNs() - t;
        frames += kChunk;
    }
    state.counters["frame_ns"] = frameNs / static_cast<double>(frames);
    state.counters["bare_ns"] = bareNs / static_cast<double>(frames);
    state.counters["x_bare"] = frameNs / bareNs;
    EndLevel(shell);
    ResetSimulation();
}
BENCHMARK(BM_UndrawnFrameAgainstBarePhysics)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
