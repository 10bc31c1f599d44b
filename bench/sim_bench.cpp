// Simulation speed: every built-in level played to completion with its
// recorded solution, as the level tools run it (nothing drawn) and, for
// comparison, with every frame drawn. Items per second are stepped frames
// per second.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_support.h"
#include "game/drawn_run.h"
#include "packs/builtin_levels.h"
#include "sim/solutions_file.h"
#include "solve/level_run.h"

namespace {

const std::vector<RecordedSolution>& Solutions() {
    static const std::vector<RecordedSolution> solutions = [] {
        std::vector<RecordedSolution> read;
        std::string error;
        ReadSolutionsFile(ZANDROVE_SOURCE_DIR "/tests/data/solutions.txt", read, error);
        return read;
    }();
    return solutions;
}

// Stepped frames until the level is complete, or -1.
template <class Run>
int PlayToCompletion(Run& run) {
    while (run.Next()) {
    }
    return run.Complete() ? run.Frame() : -1;
}

int PlayToCompletion(const RecordedSolution& s, bool drawing) {
    const LevelRecord* records = BuiltinLevels[s.level - 1];
    if (!drawing) {
        LevelRun run(records, s.bombs);
        return PlayToCompletion(run);
    }
    DrawnRun run(records, s.bombs, BenchBitmaps());
    return PlayToCompletion(run);
}

void BM_SolvedLevel(benchmark::State& state) {
    const int level = static_cast<int>(state.range(0));
    const bool drawing = state.range(1) != 0;
    if (drawing) StartBenchHeadless();
    const RecordedSolution* solution = nullptr;
    for (const RecordedSolution& s : Solutions())
        if (s.level == level) solution = &s;
    if (!solution) {
        state.SkipWithError("no recorded solution for this level");
        return;
    }
    int64_t frames = 0;
    for (auto _ : state) {
        const int n = PlayToCompletion(*solution, drawing);
        if (n != solution->frame) {
            state.SkipWithError("the recorded solution no longer completes the level in its frame");
            break;
        }
        frames += n;
    }
    state.SetItemsProcessed(frames);
    state.SetLabel(drawing ? "drawn" : "simulated");
}
BENCHMARK(BM_SolvedLevel)
    ->ArgsProduct({benchmark::CreateDenseRange(1, kBuiltinLevelCount, 1), {0, 1}})
    ->ArgNames({"level", "drawing"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
