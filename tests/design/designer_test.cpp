// The designer through its real frame function: a level built from nothing
// with the keys and mouse, every kind of change undone and redone, saved,
// read back by the pack tool, test-played with its solver's solution, and
// the work kept through failed saves, quits and a killed process.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "design/design_doc.h"
#include "design/design_file.h"
#include "files/atomic_file.h"
#include "designer_session.h"
#include "game/drawing.h"
#include "packs/text_parser.h"
#include "platform/allegro/allegro_picture.h"
#include "support/run_program.h"

namespace {

namespace fs = std::filesystem;
using design::DesignDoc;

const std::string kPackTool = std::string(ZANDROVE_BIN_DIR) + "/zandrove-pack";
const std::string kGame = std::string(ZANDROVE_BIN_DIR) + "/zandrove";

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool SameLevels(const LevelList& a, const LevelList& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].name != b[i].name || a[i].records.size() != b[i].records.size()) return false;
        for (std::size_t k = 0; k < a[i].records.size(); ++k)
            if (!SameRecord(a[i].records[k], b[i].records[k])) return false;
    }
    return true;
}

// The levels of a file as `zandrove-pack dump` gives them.
LevelList Dumped(const fs::path& file) {
    ProgramRun run;
    run.args = {kPackTool, "dump", file.string()};
    const Ran r = RunProgram(run);
    EXPECT_EQ(r.status, 0) << r.err;
    const ParsedText parsed = ParseLevelText(r.out);
    EXPECT_TRUE(parsed.errors.empty());
    return parsed.levels;
}

class DesignerSession : public DesignerTest {
protected:
    // The third built-in level, a drop into a pit, drawn with the mouse.
    void DrawPit() {
        Tool('B');
        DragFromTo(210, 370, 370, 372);  // the floor, a row
        DragFromTo(290, 270, 291, 350);  // two walls, columns
        DragFromTo(370, 350, 370, 270);
        Tool('H');
        ClickAt(240, 348);  // stands on the floor: its record is 4 pixels higher
        Tool('X');
        DragFromTo(300, 320, 359, 359);
        Press(KeyLetter('I'));
    }
};

TEST_F(DesignerSession, BuildsSavesAndReopensALevelMadeFromNothing) {
    ASSERT_TRUE(Open("new.pak"));
    EXPECT_EQ(d->doc.Levels().size(), 1u);
    EXPECT_FALSE(fs::exists(dir / "new.pak"));  // made at the first save
    DrawPit();
    const std::vector<LevelRecord>& r = Records();
    ASSERT_EQ(r.size(), 9u + 5 + 5 + 1 + 1 + 1 + 1);
    EXPECT_EQ(design::CountType(r, REC_BLOCK), 19);
    EXPECT_TRUE(SameRecord(r[0], Rec(REC_BLOCK, 210, 370)));
    EXPECT_TRUE(SameRecord(r[8], Rec(REC_BLOCK, 370, 370)));
    EXPECT_TRUE(SameRecord(r[19], Rec(REC_HAMSTER, 240, 344)));
    EXPECT_TRUE(SameRecord(r[20], Rec(REC_EXIT, 300, 320, 60, 40)));
    EXPECT_TRUE(SameRecord(r[21], kInventoryBombRecord));
    EXPECT_EQ(d->check.errors, 0);

    // A cell holds one piece: a brick on a block's cell replaces it. The
    // brick tool taken with a click on the bar's second button.
    ClickAt(design::ToolButton(1).x + 16, kScreenHeight - design::kBarHeight + design::ToolButton(1).y + 16);
    EXPECT_EQ(d->tool, design::Tool::Brick);
    ClickAt(215, 365);
    EXPECT_EQ(Records()[0].type, REC_BRICK);
    // Fixed bomb, its fuse by wheel and keys; moved with Shift; one more erased.
    Tool('F');
    ClickAt(100, 200);
    io.MoveTo(100, 200);
    io.wheel = 3;
    Frame();
    Press(kKeyMinus);
    EXPECT_EQ(Records()[22].param, design::kNewFixedFuse + 2);
    DragFromTo(100, 200, 140, 180, true);
    EXPECT_EQ(Records()[22].x, 140);
    DragFromTo(215, 365, 255, 365, true);  // the brick, cell by cell: onto a block's cell it does not go
    EXPECT_EQ(Records()[0].x, 210);
    ClickAt(140, 180, kRightButton);
    EXPECT_EQ(design::CountType(Records(), REC_FIXED_BOMB), 0);

    // Levels: new, renamed by typing, copied, moved, deleted.
    Press(KeyLetter('N'), {kKeyLControl});
    Press(KeyF(2));
    for (int i = 0; i < 7; ++i) Press(kKeyBackspace);  // "Level 2" is offered to edit
    io.typed = "Twe";
    Frame();
    Press(kKeyBackspace);
    io.typed = "o!";
    Frame();
    Press(kKeyEnter);
    EXPECT_EQ(d->doc.Level().name, "Two!");
    Press(KeyLetter('D'), {kKeyLControl});
    Press(kKeyPgUp, {kKeyRControl});
    Press(kKeyDel, {kKeyLControl});
    ASSERT_EQ(d->doc.Levels().size(), 2u);
    const LevelList built = d->doc.Levels();

    // Every step back to the empty level, and forward again.
    int steps = 0;
    while (d->doc.CanUndo()) {
        Press(KeyLetter('Z'), {kKeyLControl});
        ++steps;
    }
    EXPECT_EQ(steps, 17);
    EXPECT_TRUE(SameLevels(d->doc.Levels(), DesignDoc().Levels()));
    EXPECT_FALSE(d->doc.Dirty());
    for (int i = 0; i < steps; ++i) Press(i % 2 ? KeyLetter('Y') : KeyLetter('Z'), {kKeyLControl, kKeyLShift});
    EXPECT_TRUE(SameLevels(d->doc.Levels(), built)) << "Ctrl+Y and Ctrl+Shift+Z both redo";

    Press(KeyLetter('S'), {kKeyLControl});
    EXPECT_FALSE(d->doc.Dirty());
    EXPECT_NE(d->message.find("saved"), std::string::npos) << d->message;
    EXPECT_TRUE(SameLevels(Dumped(dir / "new.pak"), built));
    ASSERT_TRUE(Open("new.pak"));
    EXPECT_TRUE(SameLevels(d->doc.Levels(), built));

    // The same as a level text, for version control.
    fs::copy_file(dir / "new.pak", dir / "copy.pak");
    ASSERT_TRUE(Open("copy.pak"));
    d->path = (dir / "levels.txt").string();
    Press(KeyLetter('S'), {kKeyLControl});
    EXPECT_TRUE(SameLevels(ParseLevelText(ReadAll(dir / "levels.txt")).levels, built));
    ASSERT_TRUE(Open("levels.txt"));
    EXPECT_TRUE(SameLevels(d->doc.Levels(), built));
}

}  // namespace

namespace {

// The picture: the level as the game draws it, the faint grid over the
// play-field only, the bar with its lines, the help over it all, the
// checker's findings outlined.
TEST_F(DesignerSession, DrawsTheLevelGridBarHelpAndFindings) {
    ASSERT_TRUE(Open("pit.pak"));
    DrawPit();
    Tool('F');
    ClickAt(150, 330);
    Tool('B');
    io.MoveTo(450, 250);
    Frame();
    BITMAP* b = Bitmap(Buffer());
    BITMAP* bar = Bitmap(Bar().get());
    const int barTop = b->h - design::kBarHeight;
    // Grid lines lighten the background a little, never over the bar.
    const int onLine = getpixel(b, 500, 120), offLine = getpixel(b, 510, 130);
    EXPECT_NE(onLine, offLine);
    EXPECT_GT(getr(onLine) + getg(onLine) + getb(onLine), getr(offLine) + getg(offLine) + getb(offLine));
    EXPECT_EQ(getpixel(b, 3, barTop + 60), getpixel(bar, 3, 60));
    // Hidden, the bar leaves the lowest rows to the level and the grid.
    Press(KeyF(4));
    EXPECT_NE(getpixel(b, 3, barTop + 60), getpixel(bar, 3, 60));
    Press(KeyF(1));
    Shot("designer-help");
    EXPECT_TRUE(d->help);
    Press(KeyF(1));

    // The checker after every change; F3 lists its findings and outlines
    // what each names: here a hamster put inside the floor's first block
    // (Alt held: where it is clicked, not standing on the floor).
    Tool('H');
    io.Hold(kKeyAlt);
    ClickAt(210, 368);
    io.Hold(kKeyAlt, false);
    EXPECT_EQ(d->check.warnings, 1);
    Press(KeyF(3));
    io.MoveTo(600, 100);
    Frame();
    EXPECT_TRUE(d->findings);
    EXPECT_EQ(getpixel(b, 198, 366), PictureColour(255, 200, 60)) << "the hamster's box in the warning's colour";
    EXPECT_EQ(getpixel(b, 200, 375), PictureColour(255, 200, 60)) << "the block's too";
}

}  // namespace

namespace {

// F5 searches in the background while frames go on; Tab then offers the
// solution, and test-play completes the level through the game's frame.
TEST_F(DesignerSession, TestPlayCompletesADesignedLevelWithItsSolution) {
    ASSERT_TRUE(Open("pit.pak"));
    DrawPit();
    const std::vector<LevelRecord> designed = Records();
    d->solves.settings.budgetSeconds = 60;
    Press(KeyF(5));
    ASSERT_TRUE(d->solves.Running());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
    int frames = 0;
    while (d->solves.Running() && std::chrono::steady_clock::now() < deadline) {
        Frame();
        ++frames;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_FALSE(d->solves.Running()) << "no result within 90 s";
    EXPECT_GT(frames, 1) << "the frames went on while it searched";
    const std::string status = d->solves.Status(Records());
    EXPECT_EQ(status.rfind("needs 1 bomb (1 given), ", 0), 0u) << status;
    EXPECT_NE(status.find(" placements, difficulty "), std::string::npos) << status;
    const std::string checks = d->solves.CheckStatus(Records());
    EXPECT_EQ(checks.rfind("forgiving: ", 0), 0u) << checks;
    EXPECT_EQ(checks.find("one bomb"), std::string::npos) << "one bomb does it: nothing to prove";
    io.MoveTo(450, 250);
    Frame();
    Shot("designer");

    Press(kKeyTab);
    Frame();  // test-play starts with the frame after the press
    ASSERT_TRUE(d->playing);
    EXPECT_TRUE(d->shell.world.BombPlaced[0]) << "the solution's bomb is placed, ready to run";
    Press(kKeySpace);
    for (int i = 0; i < 3600 && d->playing; ++i) Frame();
    EXPECT_FALSE(d->playing);
    EXPECT_EQ(d->playNote, "completed with 1 bomb");
    EXPECT_TRUE(std::equal(designed.begin(), designed.end(), Records().begin(), Records().end(), SameRecord));
    // The design is shown as designed again, not as it was played.
    Frame();
    EXPECT_TRUE(d->world.EditMode);
    ASSERT_EQ(d->world.BombPlaced.size(), 1u);
    EXPECT_FALSE(d->world.BombPlaced[0]);

    // Tab again leaves a test-play at once, and a change forgets the result.
    Press(kKeyTab);
    Frame();
    ASSERT_TRUE(d->playing);
    Press(kKeyTab);
    EXPECT_FALSE(d->playing);
    Press(KeyLetter('I'));
    EXPECT_EQ(d->solves.Status(Records()), "");

    // An exit drawn round the hamster where it stands: no bomb is needed,
    // and F5 says the level is too easy.
    Tool('X');
    DragFromTo(200, 300, 279, 359);
    Press(KeyF(5));
    for (int i = 0; i < 20000 && d->solves.Running(); ++i) {
        Frame();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_EQ(d->solves.Status(Records()), "solved with no bomb: too easy");
}

// A failed save keeps the old file and the design, and says why.
TEST_F(DesignerSession, AFailedSaveLeavesTheOldFileAndShowsTheError) {
    ASSERT_TRUE(Open("kept.pak"));
    DrawPit();
    Press(KeyLetter('S'), {kKeyLControl});
    const std::string saved = ReadAll(dir / "kept.pak");
    Press(KeyLetter('I'));
    FailNextAtomicFileStep(AtomicFileStep::Write, ENOSPC);  // the disk is full
    Press(KeyLetter('S'), {kKeyLControl});
    EXPECT_NE(d->message.find("not saved"), std::string::npos) << d->message;
    EXPECT_NE(d->message.find("no space left on device"), std::string::npos) << d->message;
    EXPECT_EQ(ReadAll(dir / "kept.pak"), saved);
    EXPECT_TRUE(d->doc.Dirty());
    // A folder that cannot be written (a plain file stands where it would be).
    std::ofstream(dir / "plain") << "x";
    d->path = (dir / "plain" / "kept.pak").string();
    Press(KeyLetter('S'), {kKeyLControl});
    EXPECT_NE(d->message.find("not saved"), std::string::npos) << d->message;
    EXPECT_TRUE(d->doc.Dirty());
    EXPECT_EQ(design::CountType(Records(), REC_BOMB), 2);
}

// Unsaved work reaches FILE.autosave within the delay, so even a process
// killed outright leaves it; it reopens, and F10 then asks once.
TEST_F(DesignerSession, AKilledDesignerLeavesARecoveryThatReopens) {
    std::ofstream(dir / "work.txt") << "level \"Old\"\nhamster 100 100\n";
    ASSERT_TRUE(Open("work.txt"));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        Press(KeyLetter('I'));
        Press(KeyLetter('I'));
        now += design::kAutosaveSeconds;
        Frame();
        Press(KeyLetter('I'));  // too new for the recovery
        raise(SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_TRUE(fs::exists(dir / "work.txt.autosave"));

    ASSERT_TRUE(Open("work.txt"));
    EXPECT_NE(d->message.find("recovered"), std::string::npos) << d->message;
    EXPECT_EQ(design::CountType(Records(), REC_BOMB), 2);
    EXPECT_TRUE(d->doc.Dirty());
    EXPECT_TRUE(Press(kKeyF10)) << "unsaved: F10 asks first";
    EXPECT_NE(d->message.find("F10 again to quit"), std::string::npos) << d->message;
    EXPECT_FALSE(Press(kKeyF10));
    // Saving takes the recovery away; the text keeps the old level's form.
    ASSERT_TRUE(Open("work.txt"));
    Press(KeyLetter('S'), {kKeyLControl});
    EXPECT_FALSE(fs::exists(dir / "work.txt.autosave"));
    EXPECT_NE(ReadAll(dir / "work.txt").find("level \"Old\""), std::string::npos);
    ASSERT_TRUE(Open("work.txt"));
    EXPECT_FALSE(d->doc.Dirty());
    EXPECT_FALSE(Press(kKeyF10)) << "nothing unsaved: F10 quits at once";
    // The close button asks as F10 does; Ctrl-C and SIGTERM quit at once,
    // the work kept first.
    ASSERT_TRUE(Open("work.txt"));
    Press(KeyLetter('I'));
    io.closeRequested = true;
    EXPECT_TRUE(Frame());
    EXPECT_NE(d->message.find("F10 again to quit"), std::string::npos) << d->message;
    EXPECT_FALSE(io.closeRequested);
    Press(KeyLetter('I'));  // a change: the question is asked again
    io.quitSignalled = true;
    EXPECT_FALSE(Frame());
    const LevelList kept = ParseLevelText(ReadAll(dir / "work.txt.autosave")).levels;
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(design::CountType(kept[0].records, REC_BOMB), 4);
}

// A link opens as a new level text not saved yet, beside files it must not
// touch: shared.txt is taken, and so is shared-2.txt's recovery name.
TEST_F(DesignerSession, ALinkOpensAsANewUnsavedFileBesideTheTakenOnes) {
    std::ofstream(dir / "shared.txt") << "level \"Mine\"\n";
    std::ofstream(dir / "shared-2.txt.autosave") << "level \"Recovered\"\n";
    LevelList levels = ParseLevelText("level \"Linked\"\nbomb\nhamster 80 84\nexit 420 320 100 40\n").levels;
    design::OpenedDesign opened;
    std::string path, error;
    ASSERT_TRUE(design::OpenLinkedDesign(dir.string(), levels, path, opened, error)) << error;
    EXPECT_EQ(path, (dir / "shared-3.txt").string());
    d = std::make_unique<design::Designer>(path, std::move(opened));
    d->clock = [this] { return now; };
    EXPECT_EQ(d->message, "opened the link as shared-3.txt, not saved yet");
    EXPECT_TRUE(d->doc.Dirty());
    EXPECT_TRUE(Press(kKeyF10)) << "unsaved: F10 asks first, the work in the recovery file";
    EXPECT_TRUE(fs::exists(dir / "shared-3.txt.autosave"));
    Press(KeyLetter('S'), {kKeyLControl});
    EXPECT_TRUE(SameLevels(ParseLevelText(ReadAll(dir / "shared-3.txt")).levels, levels));
    EXPECT_EQ(ReadAll(dir / "shared.txt"), "level \"Mine\"\n");
}

// --design refuses what it could not save back whole, before any window.
TEST(DesignCommand, RefusesAFileThatIsNeitherPackNorTextWithStatus2) {
    char name[] = "/tmp/zandrove-refuse-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    const fs::path dir = name;
    std::ofstream(dir / "short.pak") << "not a pack";
    std::ofstream(dir / "bad.txt") << "level \"A\"\nblock 1\n";
    for (const char* file : {"short.pak", "bad.txt", "missing-folder/new.pak"}) {
        ProgramRun run;
        run.args = {kGame, "--design", (dir / file).string()};
        setenv("DISPLAY", "", 1);  // a window could not open: a refusal must come first
        const Ran r = RunProgram(run);
        EXPECT_EQ(r.status, 2) << file << ": " << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    fs::remove_all(dir);
}

}  // namespace
