// The soak: the real frame loop over the level sequence, for a long time, with
// seeded random input. Each level is played at random for a while; then it is
// either restarted and finished with its known solution, placed as the HUD
// places bombs, or left for the next one, so every level keeps coming round.
// Every frame the particle ring and the world lists are checked, and the heap
// is sampled after every level end, when the world is freed: it must stop
// growing. The same seed plays the same game with any compiler.
//   zandrove-soak [--draw] [FRAMES] [SEED]    defaults: ZANDROVE_SOAK_FRAMES or 200000; 1
// The solutions are those of tests/data/solutions.txt (ZANDROVE_SOLUTIONS names
// another file). Without --draw nothing is drawn or heard: the simulation, the
// HUD's input and the frame loop alone, with no Allegro and no asset files.
// With --draw every frame is drawn with the game's pictures, as the game does.
// Exit status 0 when every check held, 1 otherwise.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "game/assets.h"
#include "game/frame_loop.h"
#include "game/game_flow.h"
#include "game/keys.h"
#include "packs/builtin_levels.h"
#include "random_player.h"
#include "sim/particles.h"
#include "sim/placement.h"
#include "sim/solutions_file.h"
#include "sim/world.h"
#include "soak_checks.h"
#include "support/headless.h"

namespace {
// Index: built-in level number - 1; a level without a solution is empty.
using SolutionTable = std::vector<std::vector<BombPlacement>>;
}  // namespace

namespace {

// Heap growth allowed once the first level has ended: the world lists keep
// their largest capacity, so the first visit of a larger level grows them a
// little. Once every level has been played, nothing may grow beyond a little
// slack for the random player's own queues; a leak of one object per level
// would break that within a few levels.
constexpr long kHeapGrowthBound = 16 * 1024;
constexpr long kHeapGrowthAfterFirstPass = 1024;

struct Totals {
    long frames = 0;
    int level = 0;  // index of the level being played
    long levelsStarted = 0;
    long completed = 0;
    long solveAttempts = 0;
    long solved = 0;  // of the completed, those finished with a known solution
    long leftUnfinished = 0;
    long restarts = 0;
    long quits = 0;
    long gamesFinished = 0;
    long visits[kBuiltinLevelCount] = {};
    int maxLiveParticles = 0;
    size_t heapAfterFirstLevel = 0;
    size_t heapAfterFirstPass = 0;  // once every level has been played; 0 until then
    size_t heapMin = 0;
    size_t heapMax = 0;
    size_t heapLast = 0;
};

[[noreturn]] void Fail(const Totals& t, const std::string& what) {
    std::fprintf(stderr, "soak: FAILED after %ld frames (level %d): %s\n", t.frames, t.level + 1, what.c_str());
    std::exit(1);
}

// Takes the bombs out of the inventory the way the HUD does.
void Place(World& world, const std::vector<BombPlacement>& bombs) {
    PlaceInOrder(world, bombs);
    world.SelectedBomb = nullptr;
}

class Soak {
public:
    Soak(long frames, unsigned seed, SolutionTable solutions, bool draw)
        : limit_(frames), player_(seed), solutions_(std::move(solutions)), draw_(draw) {}

    int Run();

private:
    enum class Phase { Random, Restarting, Placing, Solving };

    bool Frame(GameState& s);
    void PlayLevel(GameState& s);
    void SampleHeap();
    void Report(double seconds) const;

    long limit_;
    RandomPlayer player_;
    SolutionTable solutions_;
    bool draw_;
    LevelList levels_ = BuiltinLevelList();
    Assets noPictures_;
    const Assets* pictures_ = &noPictures_;
    bool solveNow_ = false;  // the level was restarted to be solved
    Totals t_;
};

bool Soak::Frame(GameState& s) {
    const bool goOn = RunFrame(s, *pictures_, player_);
    ++t_.frames;
    std::string broken = CheckParticles(s.world);
    if (broken.empty()) broken = CheckWorld(s.world);
    if (!broken.empty()) Fail(t_, broken);
    const int live = LiveParticleCount(s.world.ParticlePool);
    if (live > t_.maxLiveParticles) t_.maxLiveParticles = live;
    return goOn;
}

// A level is played at random for a while; then, for most levels with a known
// solution, the player restarts it from the HUD (so every bomb is back in the
// inventory), places the solution's bombs as the HUD does and runs it.
void Soak::PlayLevel(GameState& s) {
    const int level = t_.level = s.levelIndex;
    StartLevel(s, levels_[static_cast<size_t>(level)].records.data());
    StopHiss(s, *pictures_, player_);
    ++t_.levelsStarted;
    ++t_.visits[level];
    static const std::vector<BombPlacement> kNone;
    // Only the built-in levels are played here, so the table's index is the level's.
    const std::vector<BombPlacement>& solution =
        static_cast<size_t>(level) < solutions_.size() ? solutions_[static_cast<size_t>(level)] : kNone;
    const long budget = std::uniform_int_distribution<long>(200, 6000)(player_.Rng());
    const bool solve = !solution.empty() && std::uniform_int_distribution<int>(0, 9)(player_.Rng()) < 7;
    Phase phase = solveNow_ ? Phase::Placing : Phase::Random;
    solveNow_ = false;
    long levelFrames = 0;
    long solvingSince = 0;
    bool goOn = true;
    while (goOn && t_.frames < limit_) {
        if (phase == Phase::Random && levelFrames >= budget) {
            if (!solve) break;  // on to the next level unfinished
            player_.LetGo();
            phase = Phase::Restarting;
        }
        if (phase != Phase::Random && phase != Phase::Solving && !player_.Queued()) {
            if (!s.world.EditMode) {
                player_.Queue({320, 100, 0, kKeyEsc});  // back to edit mode: every object reset
                player_.Queue({320, 100, 0, -1});
            } else if (phase == Phase::Restarting) {
                player_.Queue({610, kEditHudTop + 24, kLeftButton, -1});  // the restart button
                player_.Queue({610, kEditHudTop + 24, 0, -1});
            } else {
                Place(s.world, solution);
                ++t_.solveAttempts;
                player_.Queue({320, 100, 0, kKeySpace});
                for (int i = 0; i < 3000; ++i) player_.Queue({320, 100, 0, -1});
                phase = Phase::Solving;
                solvingSince = levelFrames;
            }
        }
        if (phase == Phase::Solving && levelFrames - solvingSince > 3000) break;
        goOn = Frame(s);
        ++levelFrames;
    }
    const bool quit = s.quitRequested;
    // Restarted and placed as the level tools place them, the bombs must
    // complete the level exactly as they do there.
    if (phase == Phase::Solving && !s.LevelComplete() && t_.frames < limit_)
        Fail(t_, "the level's solution did not complete it");
    if (s.LevelComplete()) {
        ++t_.completed;
        if (phase == Phase::Solving) ++t_.solved;
    } else if (s.restartRequest) {
        ++t_.restarts;
        solveNow_ = phase == Phase::Restarting;
    } else if (!quit) {
        ++t_.leftUnfinished;
    }
    player_.LetGo();
    EndLevel(s);  // without a restart request, on to the next level
    if (quit) {
        ++t_.quits;
        s.levelIndex = 0;  // a new game
        s.quitRequested = false;
    }
    if (s.levelIndex >= static_cast<int>(levels_.size())) {
        ++t_.gamesFinished;
        s.levelIndex = 0;
    }
}

void Soak::SampleHeap() {
    const size_t heap = HeapInUse();
    if (std::getenv("ZANDROVE_SOAK_VERBOSE"))
        std::printf("soak: frame %ld, level %d ended, heap %zu\n", t_.frames, t_.level + 1, heap);
    t_.heapLast = heap;
    if (t_.levelsStarted == 1) {
        t_.heapAfterFirstLevel = t_.heapMin = t_.heapMax = heap;
        return;
    }
    if (heap < t_.heapMin) t_.heapMin = heap;
    if (heap > t_.heapMax) t_.heapMax = heap;
    if (static_cast<long>(heap) - static_cast<long>(t_.heapAfterFirstLevel) > kHeapGrowthBound)
        Fail(t_, "heap grew from " + std::to_string(t_.heapAfterFirstLevel) + " to " + std::to_string(heap) +
                     " bytes after the first level");
    if (t_.heapAfterFirstPass == 0) {
        bool all = true;
        for (int i = 0; i < kBuiltinLevelCount; ++i) all = all && t_.visits[i] > 0;
        if (all) t_.heapAfterFirstPass = heap;
    } else if (static_cast<long>(heap) - static_cast<long>(t_.heapAfterFirstPass) > kHeapGrowthAfterFirstPass) {
        Fail(t_, "heap grew from " + std::to_string(t_.heapAfterFirstPass) + " to " + std::to_string(heap) +
                     " bytes after every level had been played");
    }
}

int Soak::Run() {
    if (draw_) {
        StartHeadless();
        pictures_ = &HeadlessBitmaps();
    }
    GameState s;
    player_.Watch(&s.world);
    const auto start = std::chrono::steady_clock::now();
    while (t_.frames < limit_) {
        PlayLevel(s);
        SampleHeap();
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    Report(took.count());
    // Long enough to come round every level a few times: each must have been
    // played, and with solutions known, levels must have been completed.
    if (t_.levelsStarted > 3 * kBuiltinLevelCount) {
        for (int i = 0; i < kBuiltinLevelCount; ++i)
            if (t_.visits[i] == 0) Fail(t_, "level " + std::to_string(i + 1) + " never visited");
        if (!solutions_.empty() && t_.solved == 0) Fail(t_, "no level was completed with its solution");
    }
    return 0;
}

void Soak::Report(double seconds) const {
    std::printf("soak: %ld frames in %.1f s (%.0f frames/s)\n", t_.frames, seconds, t_.frames / seconds);
    std::printf("soak: %ld levels started, %ld completed (%ld of %ld tries with a known solution), "
                "%ld left unfinished, %ld restarts, %ld quits, %ld games finished\n",
                t_.levelsStarted, t_.completed, t_.solved, t_.solveAttempts, t_.leftUnfinished, t_.restarts,
                t_.quits, t_.gamesFinished);
    std::printf("soak: visits per level:");
    for (long v : t_.visits) std::printf(" %ld", v);
    std::printf("\nsoak: most live particles %d of %d\n", t_.maxLiveParticles, kParticleSlots);
    std::printf("soak: heap after the first level %zu bytes; since then min %zu, max %zu, last %zu (growth %+ld)\n",
                t_.heapAfterFirstLevel, t_.heapMin, t_.heapMax, t_.heapLast,
                static_cast<long>(t_.heapMax) - static_cast<long>(t_.heapAfterFirstLevel));
    if (t_.heapAfterFirstPass != 0)
        std::printf("soak: heap once every level had been played %zu bytes; last %zu (growth %+ld)\n",
                    t_.heapAfterFirstPass, t_.heapLast,
                    static_cast<long>(t_.heapLast) - static_cast<long>(t_.heapAfterFirstPass));
}

long FramesWanted(int argc, char** argv) {
    const char* text = argc > 1 ? argv[1] : std::getenv("ZANDROVE_SOAK_FRAMES");
    if (!text) return 200000;
    char* end = nullptr;
    const long n = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || n <= 0) {
        std::fprintf(stderr, "usage: zandrove-soak [--draw] [FRAMES] [SEED]  (FRAMES a positive number, not \"%s\")\n",
                     text);
        std::exit(2);
    }
    return n;
}

}  // namespace

int main(int argc, char** argv) {
    // stdio would allocate its buffer at the first line printed, in the middle
    // of the heap measurements.
    static char outBuffer[BUFSIZ];
    std::setvbuf(stdout, outBuffer, _IOLBF, sizeof outBuffer);
    const bool draw = argc > 1 && std::string(argv[1]) == "--draw";
    if (draw) {
        --argc;
        ++argv;
    }
    const long frames = FramesWanted(argc, argv);
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1u;
    const char* file = std::getenv("ZANDROVE_SOLUTIONS");
    const std::string path = file ? file : ZANDROVE_SOURCE_DIR "/tests/data/solutions.txt";
    std::string error;
    std::vector<RecordedSolution> recorded;
    SolutionTable solutions;
    if (ReadSolutionsFile(path, recorded, error)) {
        for (int level = 1; level <= kBuiltinLevelCount; ++level) solutions.push_back(SolutionBombs(recorded, level));
    } else {
        std::printf("soak: no solutions (%s); levels are left unfinished instead\n", error.c_str());
    }
    std::printf("soak: %s\n", draw ? "every frame drawn" : "nothing drawn: the simulation and the frame loop alone");
    return Soak(frames, seed, std::move(solutions), draw).Run();
}
