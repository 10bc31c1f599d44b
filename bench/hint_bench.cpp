// The live game's frame while a hint is searched: the search runs on its
// own threads behind the game's, so the frame (drawn whole, and the search
// polled) should cost what it costs without one. Compare the two cases' real time
// with the frame's 16.7 ms budget.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "features/hints.h"
#include "game/assets.h"
#include "game/frame_io.h"
#include "game/frame_loop.h"
#include "packs/builtin_levels.h"

namespace {

class NoPlayer : public FrameIo {
public:
    void Sample(InputSample&) override {}
    void Present(Picture*) override {}
};

// arg 0: no search; 1: a search for level 9 (the longest) running all along.
void BM_EditFrameWhileAHintIsSearched(benchmark::State& bench) {
    StartBenchHeadless();
    const bool searching = bench.range(0) != 0;
    GameState state;
    StartLevel(state, BuiltinLevels[8]);
    NoPlayer io;
    Hints hints;
    long searches = 0;
    for (auto _ : bench) {
        if (searching && !hints.Searching()) {
            hints.Reset();
            hints.Ask(BuiltinLevels[8], {});
            ++searches;
        }
        state.drawnPicture = 0;  // drawn whole every time, as a changing hint is
        RunFrame(state, BenchBitmaps(), io);
        hints.Poll();
        hints.Draw(BenchBitmaps().backBuffer.get(), BenchBitmaps(), state.hudTop, state.world);
    }
    bench.counters["searches"] = static_cast<double>(searches);
    hints.Reset();
}
BENCHMARK(BM_EditFrameWhileAHintIsSearched)->Arg(0)->Arg(1)->UseRealTime()->MinTime(3.0)->Unit(benchmark::kMicrosecond);

}  // namespace
