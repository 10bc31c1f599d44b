// The recorded solution of every level of every set, played three ways: by
// the simulator, whose trace must hash to the recorded value (any change in
// the hamsters' motion, by a physics change or a compiler, shows here); by
// two worlds stepped side by side in this one process, which must stay alike
// in every frame; and by a scripted player through the HUD, who must
// complete the level the same way and see the next one built.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>

#include "game/assets.h"
#include "game/drawing.h"
#include "game/frame_io.h"
#include "game/frame_loop.h"
#include "game/game_flow.h"
#include "game/keys.h"
#include "packs/pack_reader.h"
#include "sim/bomb.h"
#include "sim/fuse.h"
#include "sim/placement.h"
#include "sim/play_field.h"
#include "sim/player.h"
#include "sim/sim_command.h"
#include "sim/sim_options.h"
#include "sim/solutions_file.h"
#include "sim/trace.h"
#include "sim/world.h"
#include "solve/level_run.h"
#include "support/headless.h"

namespace {

// A set of levels with its recorded solutions: the built-in levels, and the
// second and third sets the build makes into more.pak and hard.pak.
struct LevelSet {
    const char* name;
    std::string solutions;  // the file
    std::string pack;       // empty: the built-in levels
};

const LevelSet& Set(int set) {
    static const LevelSet sets[] = {
        {"Builtin", std::string(ZANDROVE_SOURCE_DIR) + "/tests/data/solutions.txt", ""},
        {"More", std::string(ZANDROVE_SOURCE_DIR) + "/tests/data/more_solutions.txt", ZANDROVE_MORE_PACK},
        {"Hard", std::string(ZANDROVE_SOURCE_DIR) + "/tests/data/hard_solutions.txt", ZANDROVE_HARD_PACK},
    };
    return sets[set];
}
constexpr int kSets = 3;
constexpr int kHardSet = 2;

std::vector<RecordedSolution> ReadSolutions(int set) {
    std::vector<RecordedSolution> out;
    std::string error;
    if (!ReadSolutionsFile(Set(set).solutions, out, error)) ADD_FAILURE() << error;
    return out;
}

LevelList ReadLevels(int set) {
    if (Set(set).pack.empty()) return BuiltinLevelList();
    PackFile pack;
    std::string error;
    if (!ReadPackFile(Set(set).pack, pack, error)) ADD_FAILURE() << error;
    return pack.levels;
}

// The set's levels, read once.
const LevelList& Levels(int set) {
    static const LevelList lists[kSets] = {ReadLevels(0), ReadLevels(1), ReadLevels(2)};
    return lists[set];
}

TEST(RecordedSolutions, OneForEveryLevelOfEverySet) {
    for (int set = 0; set < kSets; ++set) {
        const int count = static_cast<int>(Levels(set).size());
        const std::vector<RecordedSolution> all = ReadSolutions(set);
        ASSERT_GT(count, 0) << Set(set).name;
        ASSERT_EQ(all.size(), static_cast<size_t>(count)) << Set(set).name;
        for (int level = 1; level <= count; ++level) {
            EXPECT_EQ(all[static_cast<size_t>(level - 1)].level, level) << Set(set).name;
            EXPECT_FALSE(all[static_cast<size_t>(level - 1)].bombs.empty()) << Set(set).name << " level " << level;
        }
    }
}

// A shipped level is a puzzle: left alone, none completes by itself.
TEST(RecordedSolutions, NoLevelOfAnySetCompletesWithoutABomb) {
    for (int set = 0; set < kSets; ++set) {
        const int count = static_cast<int>(Levels(set).size());
        for (int level = 1; level <= count; ++level) {
            SimOptions o;
            o.pack = Set(set).pack;
            o.level = level;
            std::ostringstream out, err;
            ASSERT_EQ(RunSim(o, Levels(set), nullptr, out, err), 0) << err.str();
            EXPECT_EQ(out.str(), "incomplete frames=3600\n") << Set(set).name << " level " << level;
        }
    }
}

// The hard set promises a hand can play its solutions: every bomb lies
// where the mouse puts one whole, above the HUD, and no key nudge is needed.
TEST(RecordedSolutions, EveryBombOfTheHardSetIsInTheMousesReach) {
    for (const RecordedSolution& s : ReadSolutions(kHardSet))
        for (const BombPlacement& b : s.bombs) EXPECT_TRUE(InMouseReach(b.x, b.y)) << "level " << s.level << " bomb at " << b.x << "," << b.y;
}

// Every recorded solution of every set, as the tests' parameter.
struct Case {
    int set;
    RecordedSolution solution;
};

// Names the case in test lists, which must not change from run to run.
void PrintTo(const Case& c, std::ostream* os) { *os << Set(c.set).name << " level " << c.solution.level; }

std::vector<Case> AllCases() {
    std::vector<Case> cases;
    for (int set = 0; set < kSets; ++set)
        for (const RecordedSolution& s : ReadSolutions(set)) cases.push_back({set, s});
    return cases;
}

// One frame of the player's hands.
struct Hands {
    int x = 0, y = 0, buttons = 0;
    std::vector<int> keys;
    std::function<void()> check;  // runs when this frame is sampled
};

// Writes down what a player does, frame by frame.
class Player {
public:
    explicit Player(int hudTop) : hudTop_(hudTop) {}
    std::vector<Hands> frames;

    void Hold(int buttons = 0, std::vector<int> keys = {}) { frames.push_back({x_, y_, buttons, keys, {}}); }
    void Click(int x, int y) {
        x_ = x;
        y_ = y;
        Hold(kLeftButton);
        Hold();
    }
    void ClickHud(int x, int y) { Click(x, hudTop_ + y); }
    void Tap(int key, int times = 1) {
        for (int i = 0; i < times; ++i) {
            Hold(0, {key});
            Hold();
        }
    }

    // Takes bomb k out of the inventory, drags it from the centre to (tx, ty)
    // and nudges it the rest of the way where the cursor cannot go (under
    // the HUD, beyond the window).
    void Place(int k, int tx, int ty) {
        ClickHud(104 + 40 * k + 16, 24);
        const int lowest = hudTop_ - 1;  // the cursor's last row over the play-field
        // The press point's offset from the bomb's centre carries the bomb
        // that much further than the cursor goes.
        const int gx = std::clamp(tx - std::clamp(tx, 0, kScreenWidth - 1), -11, 12);
        const int gy = std::clamp(ty - std::clamp(ty, 0, lowest), -11, 12);
        const int cx = std::clamp(tx - gx, 0, kScreenWidth - 1);
        const int cy = std::clamp(ty - gy, 0, lowest);
        const int px = kScreenWidth / 2 - gx, py = kScreenHeight / 2 - gy;
        for (int step = 0; step <= 6; ++step) {
            x_ = px + (cx - px) * step / 6;
            y_ = py + (cy - py) * step / 6;
            Hold(kLeftButton);
        }
        Hold();  // released: dropped
        const int rx = tx - (cx + gx), ry = ty - (cy + gy);
        Tap(rx > 0 ? kKeyRight : kKeyLeft, std::abs(rx));
        Tap(ry > 0 ? kKeyDown : kKeyUp, std::abs(ry));
    }

    // Sets the selected bomb's fuse from 60 frames: with the slider, the
    // plus and minus keys or the HUD's buttons.
    void SetFuse(int method, int fuse) {
        const int quarters = fuse / kQuarterSecond;
        ASSERT_TRUE(fuse == kShortestFuse || fuse % kQuarterSecond == 0) << fuse << " is not a fuse the HUD sets";
        const int fromDefault = quarters - 60 / kQuarterSecond;
        switch (method % 3) {
            case 0:
                ClickHud(quarters == 0 ? 385 : 384 + 2 * quarters, 24);
                break;
            case 1:
                Tap(fromDefault > 0 ? kKeyEquals : kKeyMinus, std::abs(fromDefault));
                break;
            default:
                for (int i = 0; i < std::abs(fromDefault); ++i) ClickHud(fromDefault > 0 ? 480 : 368, 24);
                break;
        }
    }

private:
    int hudTop_;
    int x_ = 0, y_ = 0;
};

// Feeds the player's frames to the game and writes the run's trace as the
// simulator does, frame 1 being the first frame stepped.
class ReplayIo : public FrameIo {
public:
    explicit ReplayIo(const GameState& state) : state_(state) {}
    std::vector<Hands> script;
    std::string trace;
    int stepped = 0;
    int completedAt = -1;
    int nextLevelObjects = -1;  // seen in the first frame of the next level
    int nextLevelIndex = -1;
    int sampled = 0;
    int firstLevel = 0;

    void Sample(InputSample& s) override {
        steppingNow_ = !state_.world.EditMode;  // the toggle comes after the step
        if (state_.levelIndex != firstLevel && nextLevelIndex < 0) {
            nextLevelIndex = state_.levelIndex;
            nextLevelObjects = static_cast<int>(state_.world.ObjectList.size());
            close_ = true;
        }
        if (++sampled > 6000) close_ = true;  // a run that never ends fails, it does not hang
        if (next_ < script.size()) {
            const Hands& h = script[next_++];
            s.mouseX = h.x;
            s.mouseY = h.y;
            s.buttons = h.buttons;
            for (int k : h.keys) s.keys[k] = true;
            if (h.check) h.check();
        } else {
            s.mouseX = kScreenWidth;  // hands off
            s.mouseY = kScreenHeight;
        }
    }
    void Present(Picture*) override {
        if (!steppingNow_) return;
        ++stepped;
        for (cObject* o : state_.world.ObjectList) {
            if (o->Kind() == KIND_HAMSTER || o->Kind() == KIND_HAMSTER_FAST)
                trace += TraceLine(stepped, *static_cast<cPlayer*>(o)) + "\n";
        }
        if (state_.LevelComplete()) {
            completedAt = stepped;
            trace += CompleteLine(stepped) + "\n";
        }
    }
    bool CloseRequested() override { return close_; }

private:
    const GameState& state_;
    size_t next_ = 0;
    bool steppingNow_ = false;
    bool close_ = false;
};

class SolvedLevel : public ::testing::TestWithParam<Case> {
protected:
    static void SetUpTestSuite() { StartHeadless(); }
    const LevelList& levels = Levels(GetParam().set);
};

TEST_P(SolvedLevel, SimulatorTraceMatchesTheRecordedHash) {
    const RecordedSolution& s = GetParam().solution;
    SimOptions o;
    o.pack = Set(GetParam().set).pack;
    o.level = s.level;
    o.bombs = s.bombs;
    o.trace = true;
    std::ostringstream out, err;
    ASSERT_EQ(RunSim(o, levels, nullptr, out, err), 0) << err.str();
    const std::string text = out.str();
    ASSERT_GT(text.size(), 1u);
    const std::string last = text.substr(text.rfind('\n', text.size() - 2) + 1);
    EXPECT_EQ(last, CompleteLine(s.frame) + "\n");
    EXPECT_EQ(HashHex(HashText(text)), HashHex(s.traceHash)) << "the hamsters no longer move as they did";
}

// Two worlds of one level with the same bombs, stepped in turn in this one
// process: nothing one of them does may reach the other (a generator, a
// pool or a list they share), so they stay alike frame by frame, down to the
// screams they pick, and play the recorded run.
TEST_P(SolvedLevel, TwoWorldsSteppedSideBySideStayAlikeInEveryFrame) {
    const RecordedSolution& s = GetParam().solution;
    const LevelRecord* records = levels[static_cast<size_t>(s.level - 1)].records.data();
    LevelRun a(records, s.bombs), b(records, s.bombs);
    ASSERT_EQ(a.Hamsters().size(), b.Hamsters().size());
    std::string trace;
    bool goOn = true;
    while (goOn && a.Frame() < 3600) {
        goOn = a.Next();
        ASSERT_EQ(b.Next(), goOn) << "frame " << a.Frame();
        const int frame = a.Frame();
        ASSERT_EQ(b.Frame(), frame);
        const World& wa = a.GetWorld();
        const World& wb = b.GetWorld();
        ASSERT_EQ(wa.ExitMask, wb.ExitMask) << "frame " << frame;
        ASSERT_EQ(wa.CompleteTimer, wb.CompleteTimer) << "frame " << frame;
        ASSERT_EQ(wa.FuseBurning, wb.FuseBurning) << "frame " << frame;
        ASSERT_TRUE(std::equal(wa.Sounds.begin(), wa.Sounds.end(), wb.Sounds.begin(), wb.Sounds.end(),
                               [](const SoundEvent& x, const SoundEvent& y) {
                                   return x.id == y.id && x.frequency == y.frequency;
                               }))
            << "frame " << frame;
        for (size_t h = 0; h < a.Hamsters().size(); ++h) {
            const std::string line = TraceLine(frame, *a.Hamsters()[h]);
            ASSERT_EQ(line, TraceLine(frame, *b.Hamsters()[h]));
            if (frame >= 1) trace += line + "\n";
        }
    }
    EXPECT_TRUE(a.Complete() && b.Complete());
    EXPECT_EQ(a.Frame(), s.frame);
    trace += CompleteLine(a.Frame()) + "\n";
    EXPECT_EQ(HashHex(HashText(trace)), HashHex(s.traceHash));
}

TEST_P(SolvedLevel, PlayerPlacingTheBombsThroughTheHudCompletesIt) {
    const RecordedSolution& s = GetParam().solution;
    const Assets& bitmaps = HeadlessBitmaps();
    const int hudTop = PictureHeight(bitmaps.backBuffer.get()) - PictureHeight(bitmaps.hud.get());
    Player player(hudTop);
    for (size_t k = 0; k < s.bombs.size(); ++k) {
        player.Place(static_cast<int>(k), s.bombs[k].x, s.bombs[k].y);
        player.SetFuse(static_cast<int>(k), s.bombs[k].fuse);
    }
    GameState state;
    player.Hold(0, {kKeySpace});
    player.frames.back().check = [&] {
        const World& w = state.world;
        for (size_t k = 0; k < s.bombs.size(); ++k) {
            EXPECT_TRUE(w.BombPlaced[k]);
            EXPECT_EQ(w.BombList[k]->HomeX, s.bombs[k].x) << "bomb " << k;
            EXPECT_EQ(w.BombList[k]->HomeY, s.bombs[k].y) << "bomb " << k;
            EXPECT_EQ(w.BombList[k]->x, Fixed::FromInt(s.bombs[k].x)) << "bomb " << k;
            EXPECT_EQ(w.BombList[k]->Fuse, s.bombs[k].fuse) << "bomb " << k;
        }
    };
    player.Hold();

    const int level = s.level;
    const int count = static_cast<int>(levels.size());
    ReplayIo io(state);
    io.script = player.frames;
    io.firstLevel = level - 1;
    PlayLevels(state, levels, bitmaps, io, level - 1);

    EXPECT_EQ(io.completedAt, s.frame);
    EXPECT_EQ(HashHex(HashText(io.trace)), HashHex(s.traceHash)) << "the player's run differs from the simulator's";
    if (level < count) {
        EXPECT_EQ(io.nextLevelIndex, level);
        EXPECT_EQ(io.nextLevelObjects, static_cast<int>(levels[static_cast<size_t>(level)].records.size()) - 1);
    } else {
        EXPECT_EQ(io.nextLevelIndex, -1);
        EXPECT_EQ(state.levelIndex, count);  // the last level: the game is over
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, SolvedLevel, ::testing::ValuesIn(AllCases()), [](const auto& info) {
    return std::string(Set(info.param.set).name) + "Level" + std::to_string(info.param.solution.level);
});

}  // namespace
