// The player's edition played through its own frame function with scripted
// input, as a player would: the title's Continue after kept progress, the
// designer and back, a failed run told and taken back with Esc, a completed
// level's result, the set done and back to the title, undo, fast-forward and
// pause, the settings, the chooser over a level, the shipped sets of levels.
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "edition/edition.h"
#include "features/chooser.h"
#include "game/keys.h"
#include "game/scripted_play.h"
#include "packs/builtin_levels.h"
#include "packs/level_hash.h"
#include "sim/placement.h"
#include "sim/play_field.h"

namespace {

namespace fs = std::filesystem;
using edition::Edition;
using Screen = edition::Edition::Screen;

class EditionPlay : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        dir = fs::temp_directory_path() / ("zandrove_edition_" + std::to_string(getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        setup.progressPath = (dir / "zandrove" / "progress.txt").string();
        setup.designPath = (dir / "zandrove" / "levels" / "levels.txt").string();
        io.MoveTo(600, 10);
    }
    void TearDown() override {
        game.reset();
        fs::remove_all(dir);
        FrameTest::TearDown();
    }

    void Open(LevelList list = BuiltinLevelList()) { OpenSets({{"", std::move(list)}}); }
    void OpenSets(edition::LevelSets given) {
        sets = std::move(given);
        game = std::make_unique<Edition>(
            io, sets, Bitmaps(), settings,
            [this](const Settings& s) {
                chosen.push_back(s);
                settings = s;
            },
            setup, [this](const std::string& line) { reported.push_back(line); });
        ASSERT_TRUE(Run());  // the title up: keys held as it comes up are no presses
    }
    // Frames of the edition; false once it has quit.
    bool Run(int n = 1) {
        for (int i = 0; i < n; ++i)
            if (!game->Frame()) return false;
        return true;
    }
    void Tap(int key) {
        io.Hold(key);
        Run();
        io.Hold(key, false);
        Run();
    }
    void ClickAt(int x, int y) {
        io.MoveTo(x, y);
        io.buttons = kLeftButton;
        Run();
        io.buttons = 0;
        Run();
    }
    // A drag with the left button from (x0, y0) to (x1, y1), eight frames long.
    void Drag(int x0, int y0, int x1, int y1) {
        io.MoveTo(x0, y0);
        io.buttons = kLeftButton;
        Run();
        for (int i = 1; i <= 8; ++i) {
            io.MoveTo(x0 + (x1 - x0) * i / 8, y0 + (y1 - y0) * i / 8);
            Run();
        }
        io.buttons = 0;
        Run();
    }
    // Level 1's kept solution as a hand makes it: the bomb out of its slot,
    // dragged to (56, 112), its fuse clicked down to the shortest.
    void PlaceLevelOneSolution() {
        ClickAt(120, EditHudTop() + 24);
        Drag(320, 240, 56, 112);
        for (int i = 0; i < 4; ++i) ClickAt(368, EditHudTop() + 24);
        io.MoveTo(600, 10);
    }
    World& Playing() { return game->Play().State().world; }
    // The level in play is this one, as it stands before its first run.
    bool Plays(const PackLevel& level) {
        GameState fresh;
        StartLevel(fresh, level.records.data());
        const World& w = Playing();
        if (w.ObjectList.size() != fresh.world.ObjectList.size()) return false;
        for (size_t i = 0; i < w.ObjectList.size(); ++i)
            if (w.ObjectList[i]->x.raw != fresh.world.ObjectList[i]->x.raw ||
                w.ObjectList[i]->y.raw != fresh.world.ObjectList[i]->y.raw)
                return false;
        return true;
    }
    // Frames until the screen changes, at most limit.
    int RunWhile(Screen screen, int limit = 4000) {
        int frames = 0;
        while (game->Current() == screen && frames < limit && Run()) ++frames;
        return frames;
    }

    fs::path dir;
    edition::EditionSetup setup;
    Settings settings;
    std::vector<Settings> chosen;
    std::vector<std::string> reported;
    edition::LevelSets sets;
    std::unique_ptr<Edition> game;
};

TEST_F(EditionPlay, ContinueStartsAtTheFirstUnsolvedLevelAndF10GoesBackThenQuits) {
    Progress kept;
    kept.Record(LevelHash(BuiltinLevels[0]), {{{0, 56, 112, 6}}, 351}, false);
    kept.Record(LevelHash(BuiltinLevels[1]), {{{0, 56, 80, 6}}, 339}, false);
    fs::create_directories(dir / "zandrove");
    std::ofstream(setup.progressPath) << FormatProgress(kept);
    Open();
    EXPECT_EQ(game->Current(), Screen::Title);
    EXPECT_EQ(game->ContinueLevel(), 2);
    Tap(kKeyEnter);  // Continue is the first line
    ASSERT_EQ(game->Current(), Screen::Playing);
    EXPECT_EQ(game->Play().Level(), 2);
    EXPECT_TRUE(Playing().EditMode);
    EXPECT_FALSE(Playing().ObjectList.empty());

    Tap(kKeyF10);
    EXPECT_EQ(game->Current(), Screen::Title);
    EXPECT_EQ(game->ContinueLevel(), 2);  // the level left, still unsolved
    io.Hold(kKeyF10);
    EXPECT_FALSE(Run());  // F10 on the title quits
    EXPECT_TRUE(reported.empty());
}

// L in a level opens the chooser as one of the edition's screens, a frame
// at a time (the web page's loop drives it so): Esc goes back to the level
// as it was, Enter on another level plays that one.
TEST_F(EditionPlay, TheChooserOverALevelIsFrameByFrameAndGoesBackToIt) {
    Open();
    Tap(kKeyEnter);
    ASSERT_EQ(game->Current(), Screen::Playing);
    PlaceLevelOneSolution();
    const size_t bombs = PlacedBombs(Playing()).size();
    Tap(KeyLetter('L'));
    ASSERT_EQ(game->Current(), Screen::Levels);
    EXPECT_TRUE(Run(30));  // frames go on while it is up
    EXPECT_EQ(game->Current(), Screen::Levels);
    Tap(kKeyEsc);
    ASSERT_EQ(game->Current(), Screen::Playing);
    EXPECT_EQ(game->Play().Level(), 0);
    EXPECT_TRUE(Playing().EditMode) << "the Esc that closed the chooser does not run the level";
    Run(5);
    EXPECT_TRUE(Playing().EditMode);
    EXPECT_EQ(PlacedBombs(Playing()).size(), bombs);

    Tap(KeyLetter('L'));
    Tap(kKeyDown);
    Tap(kKeyEnter);
    ASSERT_EQ(game->Current(), Screen::Playing);
    EXPECT_EQ(game->Play().Level(), 1);
    EXPECT_TRUE(PlacedBombs(Playing()).empty());
}

TEST_F(EditionPlay, TheDesignerOpensOnThePlayersOwnFileAndF10ComesBack) {
    Open();
    Tap(kKeyDown);
    Tap(kKeyDown);
    Tap(kKeyEnter);
    ASSERT_EQ(game->Current(), Screen::Designer) << game->Note();
    EXPECT_TRUE(fs::is_directory(dir / "zandrove" / "levels"));  // made for the file's first save
    ASSERT_TRUE(Run(5));
    Tap(kKeyF10);  // nothing changed: the designer closes at once
    EXPECT_EQ(game->Current(), Screen::Title);
    EXPECT_FALSE(fs::exists(setup.designPath));  // nothing saved, nothing written
}

TEST_F(EditionPlay, AFailedRunIsToldAndEscTriesAgain) {
    Open();
    Tap(kKeyEnter);
    ASSERT_EQ(game->Current(), Screen::Playing);
    // A bomb just right of the hamster throws it off the field to the left.
    ClickAt(120, EditHudTop() + 24);
    Drag(320, 240, 100, 84);
    for (int i = 0; i < 4; ++i) ClickAt(368, EditHudTop() + 24);
    io.MoveTo(600, 10);
    Tap(kKeySpace);
    ASSERT_FALSE(Playing().EditMode);
    int frames = 0;
    while (!game->Play().Watch().Lost() && frames < 600 && Run()) ++frames;
    EXPECT_TRUE(game->Play().Watch().Lost()) << frames << " frames";
    EXPECT_LT(frames, 200);
    // The run goes on as ever until the player acts.
    ASSERT_TRUE(Run(60));
    EXPECT_FALSE(Playing().EditMode);
    EXPECT_EQ(game->Current(), Screen::Playing);
    Tap(kKeyEsc);
    EXPECT_TRUE(Playing().EditMode);
    EXPECT_FALSE(game->Play().Watch().Lost());
    EXPECT_TRUE(Playing().BombPlaced[0]);
    EXPECT_EQ(Playing().BombList[0]->x.Whole(), 100);  // back where the player put it
}

TEST_F(EditionPlay, AHamsterAtRestOutOfItsExitIsLostOnceNoBombIsLeftToGoOff) {
    // A hamster on a block far from the exit, and a fixed bomb far from both
    // whose fuse burns four seconds.
    const LevelRecord still[] = {Rec(REC_HAMSTER, 100, 104), Rec(REC_BLOCK, 100, 130), Rec(REC_EXIT, 560, 20, 40, 40),
                                 Rec(REC_FIXED_BOMB, 400, 300, 0, 0, 16), Rec(REC_END)};
    Open(LevelsOf({still}));
    Tap(kKeyEnter);
    Tap(kKeySpace);
    ASSERT_TRUE(Run(200));
    EXPECT_FALSE(game->Play().Watch().Lost());  // still for three seconds, but the bomb is yet to go off
    int frames = 0;
    while (!game->Play().Watch().Lost() && frames < 200 && Run()) ++frames;
    EXPECT_TRUE(game->Play().Watch().Lost());
    EXPECT_LT(frames, 60);  // once the bomb is spent
    EXPECT_FALSE(Playing().EditMode);
}

TEST_F(EditionPlay, ACompletedLevelShowsItsResultAndTheLastOneLeadsBackToTheTitle) {
    // Level 1, then a level whose hamster stands in its exit already.
    const LevelRecord home[] = {Rec(REC_HAMSTER, 100, 104), Rec(REC_BLOCK, 100, 130), Rec(REC_EXIT, 80, 80, 40, 40),
                                Rec(REC_END)};
    LevelList list = LevelsOf({BuiltinLevels[0], home});
    list[1].name = "At Home";
    Open(std::move(list));
    Tap(kKeyEnter);
    PlaceLevelOneSolution();
    Tap(kKeySpace);
    RunWhile(Screen::Playing);
    ASSERT_EQ(game->Current(), Screen::Result);
    const edition::LevelResult& result = game->Play().Result();
    EXPECT_EQ(result.level, 0);
    EXPECT_EQ(result.bombs, 1);
    EXPECT_EQ(result.frame, 351);  // as tests/data/solutions.txt
    EXPECT_FALSE(result.hinted);
    EXPECT_FALSE(result.bestBefore.has_value());
    ASSERT_TRUE(Run(30));  // the result waits for the player
    EXPECT_EQ(game->Current(), Screen::Result);

    ClickAt(320, 240);
    ASSERT_EQ(game->Current(), Screen::Playing);
    EXPECT_EQ(game->Play().Level(), 1);
    Tap(kKeySpace);
    RunWhile(Screen::Playing);
    ASSERT_EQ(game->Current(), Screen::Result);
    EXPECT_EQ(game->Play().Result().bombs, 0);
    ASSERT_TRUE(Run());
    Tap(kKeyEnter);
    EXPECT_EQ(game->Current(), Screen::SetDone);
    ASSERT_TRUE(Run(10));
    Tap(kKeyEnter);
    EXPECT_EQ(game->Current(), Screen::Title);
    // Both are solved and kept; Continue plays the last one played.
    EXPECT_EQ(game->Hooks().KeptProgress().levels.size(), 2u);
    EXPECT_EQ(game->ContinueLevel(), 1);
}

TEST_F(EditionPlay, CtrlZTakesBackEachChangeAndABombDraggedOntoTheInventoryGoesBack) {
    Open();
    Tap(kKeyEnter);
    World& w = Playing();
    ClickAt(120, EditHudTop() + 24);  // taken out: in the middle
    Drag(320, 240, 200, 150);         // moved
    ClickAt(368, EditHudTop() + 24);  // its fuse a quarter second shorter
    io.MoveTo(600, 10);
    ASSERT_TRUE(w.BombPlaced[0]);
    EXPECT_EQ(w.BombList[0]->Fuse, 45);
    EXPECT_EQ(game->Play().History().Size(), 3u);
    auto undo = [&] {
        io.Hold(kKeyLControl);
        Tap(KeyLetter('Z'));
        io.Hold(kKeyLControl, false);
        Run();
    };
    undo();
    EXPECT_EQ(w.BombList[0]->Fuse, 60);
    EXPECT_EQ(w.BombList[0]->HomeX, 200);
    undo();
    EXPECT_EQ(w.BombList[0]->HomeX, 320);
    EXPECT_EQ(w.BombList[0]->HomeY, 240);
    undo();
    EXPECT_FALSE(w.BombPlaced[0]);
    EXPECT_EQ(w.BombList[0]->HomeX, kInventoryHome);
    undo();  // nothing more to take back
    EXPECT_FALSE(w.BombPlaced[0]);

    // Out again, and dragged back onto the inventory's slots.
    ClickAt(160, EditHudTop() + 24);
    ASSERT_TRUE(w.BombPlaced[1]);
    Drag(320, 240, 240, EditHudTop() + 24);
    EXPECT_FALSE(w.BombPlaced[1]);
    EXPECT_EQ(w.BombList[1]->HomeX, kInventoryHome);
    EXPECT_EQ(w.BombList[1]->Fuse, kInventoryFuse);
    EXPECT_EQ(w.SelectedBomb, nullptr);
    undo();  // the drag taken back: out where it was
    EXPECT_TRUE(w.BombPlaced[1]);
    EXPECT_EQ(w.BombList[1]->HomeX, 320);
}

TEST_F(EditionPlay, FastForwardCompletesInTheSameFrameWithAQuarterOfThePictures) {
    Open();
    Tap(kKeyEnter);
    PlaceLevelOneSolution();
    Tap(kKeySpace);
    io.Hold(KeyLetter('F'));
    const int shownBefore = io.presented;
    RunWhile(Screen::Playing);
    ASSERT_EQ(game->Current(), Screen::Result);
    EXPECT_EQ(game->Play().Result().frame, 351);
    const int shown = io.presented - shownBefore;
    EXPECT_GE(shown, 351 / 4);
    EXPECT_LE(shown, 351 / 4 + 3);
}

TEST_F(EditionPlay, PauseHoldsTheRunAndItsClock) {
    Open();
    Tap(kKeyEnter);
    PlaceLevelOneSolution();
    Tap(kKeySpace);
    ASSERT_TRUE(Run(100));
    Tap(KeyLetter('P'));
    ASSERT_TRUE(game->Play().Paused());
    const int clock = game->Play().Watch().RunFrames();
    const World before = Playing();
    ASSERT_TRUE(Run(120));
    EXPECT_EQ(game->Play().Watch().RunFrames(), clock);
    for (size_t i = 0; i < before.ObjectList.size(); ++i) {
        EXPECT_EQ(before.ObjectList[i]->x.raw, Playing().ObjectList[i]->x.raw);
        EXPECT_EQ(before.ObjectList[i]->y.raw, Playing().ObjectList[i]->y.raw);
    }
    Tap(KeyLetter('P'));
    EXPECT_FALSE(game->Play().Paused());
    RunWhile(Screen::Playing);
    ASSERT_EQ(game->Current(), Screen::Result);
    EXPECT_EQ(game->Play().Result().frame, 351);
}

TEST_F(EditionPlay, TheSettingsScreenChangesAndKeepsWhatThePlayerChooses) {
    Open();
    for (int i = 0; i < 3; ++i) Tap(kKeyDown);
    Tap(kKeyEnter);
    ASSERT_EQ(game->Current(), Screen::Settings);
    Tap(kKeyDown);
    Tap(kKeyDown);  // the volume
    Tap(kKeyLeft);
    Tap(kKeyLeft);
    for (int i = 0; i < 6; ++i) Tap(kKeyDown);  // undo
    Tap(kKeyEnter);
    ASSERT_EQ(chosen.size(), 3u);
    EXPECT_EQ(chosen.back().volume, 80);
    EXPECT_FALSE(chosen.back().assists.undo);
    EXPECT_TRUE(chosen.back().assists.pause);
    Tap(kKeyEsc);
    EXPECT_EQ(game->Current(), Screen::Title);
    // Undo off: a drag onto the inventory leaves the bomb where it was.
    for (int i = 0; i < 3; ++i) Tap(kKeyUp);  // from Settings to Continue
    Tap(kKeyEnter);
    ASSERT_EQ(game->Current(), Screen::Playing);
    ClickAt(120, EditHudTop() + 24);
    Drag(320, 240, 120, EditHudTop() + 24);
    EXPECT_TRUE(Playing().BombPlaced[0]);
}

// Without a pack the edition offers the sets the game ships: Levels lists
// them with their counts and what is solved, a set chosen opens its
// chooser, and Continue, the chooser over a level and the title's line
// stay within it.
TEST_F(EditionPlay, LevelsOffersTheShippedSetsAndContinueStaysInTheOneChosen) {
    Progress kept;
    kept.Record(LevelHash(BuiltinLevels[0]), {{{0, 56, 112, 6}}, 351}, false);
    fs::create_directories(dir / "zandrove");
    std::ofstream(setup.progressPath) << FormatProgress(kept);
    OpenSets(edition::ShippedSets([this](const std::string& line) { reported.push_back(line); }));
    ASSERT_EQ(sets.size(), 3u);
    EXPECT_TRUE(reported.empty());
    Tap(kKeyDown);
    Tap(kKeyEnter);
    ASSERT_EQ(game->Current(), Screen::Sets);
    const std::vector<edition::MenuLine>& lines = game->SetsMenu().Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].label, "First set");
    EXPECT_EQ(lines[0].note, "10 levels, 1 solved");
    EXPECT_EQ(lines[1].note, "21 levels, 0 solved");
    EXPECT_EQ(lines[2].note, "30 levels, 0 solved");
    EXPECT_EQ(lines[3].label, "Back");
    Tap(kKeyEsc);
    EXPECT_EQ(game->Current(), Screen::Title);

    // The third set's chooser, and its third level played.
    Tap(kKeyEnter);
    Tap(kKeyDown);
    Tap(kKeyDown);
    Tap(kKeyEnter);
    ASSERT_EQ(game->Current(), Screen::Levels);
    EXPECT_EQ(game->Set(), 2);
    ASSERT_EQ(game->ChooserUp()->Lines().size(), 30u);
    EXPECT_EQ(game->ChooserUp()->Lines()[29].hash, LevelHash(sets[2].levels[29].records.data()));
    EXPECT_EQ(game->ChooserUp()->Selected(), 0);
    Tap(kKeyEsc);  // back to the sets, and into the third again
    ASSERT_EQ(game->Current(), Screen::Sets);
    Tap(kKeyEnter);
    Tap(kKeyDown);
    Tap(kKeyDown);
    Tap(kKeyEnter);
    ASSERT_EQ(game->Current(), Screen::Playing);
    EXPECT_EQ(game->Play().Level(), 2);
    EXPECT_TRUE(Plays(sets[2].levels[2]));

    Tap(kKeyF10);
    ASSERT_EQ(game->Current(), Screen::Title);
    EXPECT_EQ(game->ContinueLevel(), 2);
    Tap(kKeyUp);
    Tap(kKeyEnter);  // Continue
    ASSERT_EQ(game->Current(), Screen::Playing);
    EXPECT_EQ(game->Set(), 2);
    EXPECT_TRUE(Plays(sets[2].levels[2]));
    Tap(KeyLetter('L'));
    ASSERT_EQ(game->Current(), Screen::Levels);
    EXPECT_EQ(game->ChooserUp()->Lines().size(), 30u);
    EXPECT_EQ(game->ChooserUp()->Selected(), 2);
    EXPECT_TRUE(reported.empty());
}

// One set (a pack given): Levels is the chooser at once, and Esc the title.
TEST_F(EditionPlay, WithOneSetLevelsIsTheChooser) {
    Open();
    Tap(kKeyDown);
    Tap(kKeyEnter);
    ASSERT_EQ(game->Current(), Screen::Levels);
    EXPECT_EQ(game->ChooserUp()->Lines().size(), 10u);
    Tap(kKeyEsc);
    EXPECT_EQ(game->Current(), Screen::Title);
}

// A shipped pack that is there but unreadable as a pack is said in one line
// and left out; one that is not there is no fault.
TEST_F(EditionPlay, AShippedPackRefusedIsSaidAndLeftOut) {
    fs::create_directories(dir);
    std::ofstream(dir / "more.pak") << "not a pack";
    const fs::path assets = fs::current_path();
    fs::current_path(dir);
    const edition::LevelSets shipped = edition::ShippedSets([this](const std::string& line) { reported.push_back(line); });
    fs::current_path(assets);
    ASSERT_EQ(shipped.size(), 1u);
    EXPECT_EQ(shipped[0].levels.size(), 10u);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].rfind("'more.pak' refused: ", 0), 0u) << reported[0];
}

}  // namespace
