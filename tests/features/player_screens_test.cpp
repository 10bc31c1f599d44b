// The player's additions played through the real frame function with
// scripted input: progress kept after a completed level and read back by
// the next game, the level chooser, watching a kept run, and hints.
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "features/chooser.h"
#include "features/game_hooks.h"
#include "features/level_list.h"
#include "features/watch.h"
#include "game/game_flow.h"
#include "game/keys.h"
#include "game/scripted_play.h"
#include "packs/builtin_levels.h"
#include "packs/level_hash.h"

namespace {

namespace fs = std::filesystem;

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class PlayerScreens : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        dir = fs::temp_directory_path() / ("zandrove_player_" + std::to_string(getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        progressPath = (dir / "zandrove" / "progress.txt").string();
        NewGame();
    }
    void TearDown() override {
        fs::remove_all(dir);
        FrameTest::TearDown();
    }

    // A game starting, on the levels of `levels`: the progress file read again.
    void NewGame(double hintSeconds = 20) {
        hooks.reset();  // the game before has ended, its progress written
        hooks = std::make_unique<GameHooks>(
            io, levels, Bitmaps(), progressPath, [this](const std::string& line) { reported.push_back(line); },
            hintSeconds);
    }
    void Begin(int level) {
        state = GameState{};
        state.levelIndex = level;
        StartLevel(state, levels[static_cast<size_t>(level)].records.data());
        hooks->LevelStarted(state);
    }
    // Frames as PlayLevels runs them; false once the level has ended.
    bool Step(int n = 1) {
        for (int i = 0; i < n; ++i) {
            const bool goOn = RunFrame(state, Bitmaps(), *hooks);
            if (!hooks->AfterFrame(state, Bitmaps(), *hooks) || !goOn) return false;
        }
        return true;
    }
    void Press(int scancode) {
        io.Hold(scancode);
        Step();
        io.Hold(scancode, false);
        Step();
    }
    void ClickAt(int x, int y) {
        io.MoveTo(x, y);
        io.buttons = kLeftButton;
        Step();
        io.buttons = 0;
        Step();
    }
    // Level 1's kept solution as a player makes it: the bomb taken from its
    // slot, dragged to (56, 112), its fuse clicked down to the shortest.
    void PlaceLevelOneSolution() {
        ClickAt(120, EditHudTop() + 24);  // the bomb lands in the middle
        io.MoveTo(320, 240);
        io.buttons = kLeftButton;
        Step();
        for (int i = 1; i <= 8; ++i) {
            io.MoveTo(320 + (56 - 320) * i / 8, 240 + (112 - 240) * i / 8);
            Step();
        }
        io.buttons = 0;
        Step();
        for (int i = 0; i < 4; ++i) ClickAt(368, EditHudTop() + 24);  // the minus button: 60 -> 6 frames
        io.MoveTo(639, 10);
    }
    int RunToEnd(int limit = 2000) {
        int frames = 0;
        while (Step() && frames < limit) ++frames;
        return frames;
    }

    LevelList levels = BuiltinLevelList();
    fs::path dir;
    std::string progressPath;
    std::unique_ptr<GameHooks> hooks;
    std::vector<std::string> reported;
};

TEST_F(PlayerScreens, ACompletedLevelIsKeptAndTheNextGameReadsItBack) {
    Begin(0);
    PlaceLevelOneSolution();
    Press(kKeySpace);
    RunToEnd();
    ASSERT_TRUE(state.LevelComplete());
    hooks->FinishKeeping();
    const std::string hash = FormatLevelHash(LevelHash(BuiltinLevels[0]));
    EXPECT_EQ(Read(progressPath), "zandrove-progress 1\n"
                                  "# level HASH solved|hinted frame N, then per bomb: bomb SLOT X Y FUSE\n"
                                  "level " + hash + " solved frame 351 bomb 1 56 112 6\n");  // as tests/data/solutions.txt
    EXPECT_TRUE(reported.empty());

    NewGame();
    const LevelProgress* kept = hooks->KeptProgress().Find(LevelHash(BuiltinLevels[0]));
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->best, (RunResult{{{0, 56, 112, 6}}, 351}));
    EXPECT_FALSE(kept->hinted);
    // Watched from the chooser's record, the run completes in the same frame.
    EXPECT_EQ(WatchRun(BuiltinLevels[0], kept->best, Bitmaps(), io, 3600).frame, 351);
}

TEST_F(PlayerScreens, AnUnwritableFolderIsReportedOnceAndPlayGoesOn) {
    fs::create_directories(dir);
    std::ofstream((dir / "zandrove").string()) << "a file where the folder should be";
    NewGame();
    for (int round = 0; round < 2; ++round) {
        Begin(0);
        PlaceLevelOneSolution();
        Press(kKeySpace);
        RunToEnd();
        EXPECT_TRUE(state.LevelComplete());
        EndLevel(state);
    }
    hooks->FinishKeeping();
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_NE(reported[0].find("progress is not kept"), std::string::npos) << reported[0];
    EXPECT_EQ(hooks->KeptProgress().levels.size(), 1u);  // still counted in this game
}

TEST_F(PlayerScreens, ThePackEditedBetweenTwoGamesShowsTheEditedLevelUnsolved) {
    const LevelRecord easy[] = {Rec(REC_HAMSTER, 100, 104), Rec(REC_BLOCK, 100, 130),
                                Rec(REC_EXIT, 80, 80, 40, 40), Rec(REC_END)};
    const LevelRecord other[] = {Rec(REC_HAMSTER, 300, 104), Rec(REC_BLOCK, 300, 130),
                                 Rec(REC_EXIT, 280, 80, 40, 40), Rec(REC_END)};
    levels = LevelsOf({easy, other});
    Begin(0);
    Press(kKeySpace);
    RunToEnd();
    ASSERT_TRUE(state.LevelComplete());

    LevelRecord edited[4];
    std::copy(std::begin(easy), std::end(easy), edited);
    edited[1].x = 102;  // the block moved two pixels
    levels = LevelsOf({other, edited, easy});
    levels[0].name = "Far";
    levels[1].name = "";
    levels[2].name = "Moved";
    NewGame();
    const auto lines = ListLevels(levels, hooks->KeptProgress());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].name, "Far");
    EXPECT_EQ(lines[1].name, "Level 2");
    EXPECT_EQ(lines[0].progress, nullptr);
    EXPECT_EQ(lines[1].progress, nullptr);  // edited: unsolved
    ASSERT_NE(lines[2].progress, nullptr);  // the same records elsewhere in the pack: solved
    EXPECT_TRUE(lines[2].progress->best.bombs.empty());
}

TEST_F(PlayerScreens, TheChooserPlaysTheLevelChosenAndEscLeavesTheLevelAsItWas) {
    Begin(0);
    ClickAt(120, EditHudTop() + 24);  // a bomb out of its slot, in the middle
    // L opens the chooser; inside it, Down twice and Esc.
    io.script = [](ScriptedIo& s, int frame) {
        const int at = frame - 4;
        s.Hold(KeyLetter('L'), frame >= 2 && frame < 4);
        s.Hold(kKeyDown, at == 2 || at == 4);
        s.Hold(kKeyEsc, at >= 6 && at < 9);  // held on after the chooser closes
    };
    io.presented = 0;
    while (io.presented < 14) ASSERT_TRUE(Step());
    EXPECT_TRUE(world.EditMode);  // the Esc that closed the chooser did not start the run
    EXPECT_TRUE(world.BombPlaced[0]);
    EXPECT_EQ(world.BombList[0]->HomeX, 320);

    // Again: End, Up, then Enter plays the level chosen.
    io.script = [](ScriptedIo& s, int frame) {
        s.Hold(KeyLetter('L'), frame == 20);
        s.Hold(kKeyEnd, frame == 23);
        s.Hold(kKeyUp, frame == 25);
        s.Hold(kKeyEnter, frame == 27);
    };
    io.presented = 15;
    bool goOn = true;
    while (goOn && io.presented < 40) goOn = Step();
    EXPECT_FALSE(goOn);
    EXPECT_EQ(state.nextLevel, kBuiltinLevelCount - 2);
    EndLevel(state);
    EXPECT_EQ(state.levelIndex, kBuiltinLevelCount - 2);
}

TEST_F(PlayerScreens, TheChooserFollowsTheMouseAndTheWheel) {
    Chooser chooser(ListLevels(levels, Progress{}), 0);
    InputSample in;
    ChooserChoice choice;
    in.wheel = -3;  // towards the player: down the list
    EXPECT_FALSE(chooser.Input(in, {}, choice));
    EXPECT_EQ(chooser.Selected(), 3);
    in.wheel = 0;
    in.pressed = kLeftButton;
    const int line5y = 70 + 5 * 20 + 2;
    in.mouseX = 200;
    in.mouseY = line5y;
    EXPECT_FALSE(chooser.Input(in, {}, choice));  // the first click selects
    EXPECT_EQ(chooser.Selected(), 5);
    EXPECT_TRUE(chooser.Input(in, {}, choice));  // the second plays
    EXPECT_EQ(choice.kind, ChooserChoice::Play);
    EXPECT_EQ(choice.level, 5);
    std::bitset<kKeyCount> w;
    w[KeyLetter('W')] = true;
    in.pressed = 0;
    EXPECT_FALSE(chooser.Input(in, w, choice));  // nothing to watch on an unsolved level
}

TEST_F(PlayerScreens, WatchingFromTheChooserPutsTheLevelInPlayBackAsItWas) {
    Begin(0);
    PlaceLevelOneSolution();
    Press(kKeySpace);
    RunToEnd();
    ASSERT_TRUE(state.LevelComplete());
    EndLevel(state);
    Begin(1);
    ClickAt(120, EditHudTop() + 24);
    io.MoveTo(500, 30);
    io.played.clear();
    // L, Home (level 1), W: the watch runs to its end, then Esc closes the chooser.
    bool untouchedMidway = false;
    int blastsMidway = -1;
    io.script = [&](ScriptedIo& s, int frame) {
        s.Hold(KeyLetter('L'), frame == 2);
        s.Hold(kKeyHome, frame == 4);
        s.Hold(KeyLetter('W'), frame == 6);
        if (frame == 200) {
            untouchedMidway = world.EditMode && world.BombPlaced[0] && world.BombList[0]->HomeX == 320;
            blastsMidway = TimesPlayed(SoundId::Explode);
        }
        s.Hold(kKeyEsc, frame == 600);
    };
    io.presented = 0;
    while (io.presented < 605) ASSERT_TRUE(Step());
    // Level 1's kept run plays, its one bomb heard, in a world of its own.
    EXPECT_EQ(blastsMidway, 1);
    EXPECT_TRUE(untouchedMidway);
    EXPECT_EQ(state.levelIndex, 1);
    EXPECT_TRUE(world.EditMode);
    EXPECT_TRUE(world.BombPlaced[0]);
    EXPECT_EQ(world.BombList[0]->HomeX, 320);
}

}  // namespace
