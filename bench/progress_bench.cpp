// Keeping progress after a completed level, with a typical progress file and
// one at its 4 MB bound: what the frame itself spends on it, handing the run
// to the keeper's thread, and what that thread spends reading the file
// again, merging and writing it whole.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "progress/progress_keeper.h"

namespace {

namespace fs = std::filesystem;

// A progress file of about kilobytes KB of solved levels, with two bombs each.
std::string ProgressFile(long kilobytes) {
    const fs::path dir = fs::temp_directory_path() / ("zandrove-progress-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "progress.txt").string();
    std::ofstream out(path);
    out << "zandrove-progress 1\n";
    char line[128];
    for (long bytes = 0, i = 1; bytes < kilobytes * 1000; ++i) {
        bytes += std::snprintf(line, sizeof line, "level %016lx solved frame 351 bomb 1 56 112 6 bomb 2 399 177 105\n",
                               static_cast<unsigned long>(i));
        out << line;
    }
    return path;
}

void BM_ProgressKeptAfterALevel(benchmark::State& state) {
    const std::string path = ProgressFile(state.range(0));
    ProgressKeeper keeper(path);
    Progress progress;
    std::string message;
    keeper.Load(progress, message);
    std::vector<std::string> said;
    double written = 0;
    uint64_t hash = 1ull << 63;
    for (auto _ : state) {
        keeper.Keep(++hash, RunResult{{{0, 56, 112, 6}}, 351}, false);  // a new level each time: the file grows
        keeper.Poll(progress, said);
        state.PauseTiming();
        const auto start = std::chrono::steady_clock::now();
        keeper.Wait();
        written += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        state.ResumeTiming();
    }
    state.counters["thread_ms"] = written / static_cast<double>(state.iterations());
    state.counters["levels"] = static_cast<double>(progress.levels.size());
    fs::remove_all(fs::path(path).parent_path());
}
BENCHMARK(BM_ProgressKeptAfterALevel)->ArgName("kb")->Arg(40)->Arg(4000)->Unit(benchmark::kMicrosecond)->Iterations(20);

// The same file written on the frame, as the game did before the keeper.
void BM_ProgressWrittenOnTheFrame(benchmark::State& state) {
    const std::string path = ProgressFile(state.range(0));
    KeptFile file(path);
    Progress progress;
    std::string message;
    file.Load([&](std::string_view text, std::string& error) { return ParseProgress(text, progress, error); }, message);
    uint64_t hash = 1ull << 63;
    for (auto _ : state) {
        progress.Record(++hash, RunResult{{{0, 56, 112, 6}}, 351}, false);
        file.Save(FormatProgress(progress), message);
    }
    fs::remove_all(fs::path(path).parent_path());
}
BENCHMARK(BM_ProgressWrittenOnTheFrame)->ArgName("kb")->Arg(40)->Arg(4000)->Unit(benchmark::kMicrosecond)->Iterations(20);

}  // namespace
