// Simulation speed: every built-in level played to completion with its
// recorded solution through the game's frame function, as the level tools
// run it (nothing drawn) and, for comparison, with every frame drawn.
// Items per second are stepped frames per second.
#include <allegro.h>
#include <benchmark/benchmark.h>

#include <vector>

#include "bench_support.h"
#include "levels/level_table.h"
#include "levels/world.h"
#include "objects/bomb.h"
#include "play/hud_controls.h"
#include "play/particles.h"
#include "shell/asset_files.h"
#include "shell/frame_io.h"
#include "shell/frame_loop.h"
#include "shell/globals.h"
#include "shell/input.h"

namespace {

struct Bomb {
    short x, y;
    int fuse;
};

struct LevelSolution {
    int frame;  // the frame that completes the level
    std::vector<Bomb> bombs;
};

// The solutions of tests/data/solutions.txt, levels 1 to 10; a run that no
// longer completes in its frame is reported as an error, not timed.
const LevelSolution kSolutions[kBuiltinLevelCount] = {
    {351, {{56, 112, 6}}},
    {339, {{56, 80, 6}}},
    {342, {{228, 404, 6}}},
    {459, {{16, 88, 6}}},
    {293, {{312, 268, 15}}},
    {357, {{548, 104, 6}, {399, 177, 105}}},
    {298, {{476, 204, 15}}},
    {600, {{76, 376, 6}}},
    {490, {{48, 336, 30}, {297, 418, 195}}},
    {362, {{64, 458, 60}, {1, 359, 75}, {0, 59, 105}}},
};

// Space in the first frame, nothing afterwards.
class SpaceOnce : public FrameIo {
public:
    void Sample(InputSample& s) override {
        s.mouseX = kScreenWidth;
        s.mouseY = kScreenHeight;
        s.keys[KEY_SPACE] = frame_ == 0;
    }
    void Present(BITMAP*) override { ++frame_; }

private:
    int frame_ = 0;
};

// Stepped frames until the level is complete.
int PlayToCompletion(int level, bool drawing) {
    // Undrawn runs leave their particles unmoved in the pool; a drawn run
    // starts from an empty one, as a new game does.
    if (drawing) ParticlePool = ParticleRing{};
    ShellState shell;
    shell.drawing = drawing;
    SpaceOnce io;
    EditMode = true;
    StartLevel(shell, BuiltinLevels[level - 1]);
    const LevelSolution& s = kSolutions[level - 1];
    for (size_t k = 0; k < s.bombs.size(); ++k) {
        cBomb& bomb = *BombList[k];
        BombPlaced[k] = true;
        bomb.x = Fixed::FromInt(s.bombs[k].x);
        bomb.y = Fixed::FromInt(s.bombs[k].y);
        bomb.HomeX = s.bombs[k].x;
        bomb.HomeY = s.bombs[k].y;
        SetFuse(bomb, s.bombs[k].fuse);
    }
    int frames = 0;
    while (RunFrame(shell, BenchBitmaps(), io)) ++frames;
    DestroyWorldObjects();
    SelectedBomb = nullptr;
    EditMode = true;
    return shell.levelComplete ? frames : -1;  // frame 0 steps nothing: frames is the completion frame
}

void BM_SolvedLevel(benchmark::State& state) {
    StartBenchHeadless();
    const int level = static_cast<int>(state.range(0));
    const bool drawing = state.range(1) != 0;
    int64_t frames = 0;
    for (auto _ : state) {
        const int n = PlayToCompletion(level, drawing);
        if (n != kSolutions[level - 1].frame) {
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
