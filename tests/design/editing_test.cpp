// The designer's editing through its real frame function: a rectangle of a
// built-in level selected, moved, copied to another level and to another
// file, undone and redone step by step, saved and read back by the pack
// tool; strokes, snapping, the clickable bar, and the lines it shows.
#include <gtest/gtest.h>

#include "designer_session.h"
#include "files/atomic_file.h"
#include "files/regular_file.h"
#include "game/drawing.h"
#include "packs/builtin_levels.h"
#include "packs/pack_writer.h"
#include "packs/text_parser.h"
#include "platform/allegro/allegro_picture.h"
#include "support/run_program.h"

namespace {

namespace fs = std::filesystem;

bool SameLevels(const LevelList& a, const LevelList& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].name != b[i].name || a[i].records.size() != b[i].records.size()) return false;
        for (std::size_t k = 0; k < a[i].records.size(); ++k)
            if (!SameRecord(a[i].records[k], b[i].records[k])) return false;
    }
    return true;
}

LevelList Dumped(const fs::path& file) {
    ProgramRun run;
    run.args = {std::string(ZANDROVE_BIN_DIR) + "/zandrove-pack", "dump", file.string()};
    const Ran r = RunProgram(run);
    EXPECT_EQ(r.status, 0) << r.err;
    return ParseLevelText(r.out).levels;
}

class Editing : public DesignerTest {
protected:
    void Ctrl(char key) { Press(KeyLetter(key), {kKeyLControl}); }
    int Count(int16_t type) { return design::CountType(Records(), type); }
    // The bar's buttons, on the screen.
    void ClickCommand(design::Command c) {
        const design::BarBox b = design::CommandButton(static_cast<int>(c));
        ClickAt(b.x + b.w / 2, kScreenHeight - design::kBarHeight + b.y + b.h / 2);
    }
};

TEST_F(Editing, ASelectionMovesCopiesAndPastesAcrossLevelsAndFilesAsUndoableSteps) {
    std::string error;
    ASSERT_TRUE(WriteFileAtomically((dir / "builtin.pak").string(), EncodePack(BuiltinLevelList()), error)) << error;
    ASSERT_TRUE(Open("builtin.pak"));
    const LevelList original = d->doc.Levels();
    Press(kKeyPgDn);
    Press(kKeyPgDn);  // the third level: a pit
    Tool('S');
    DragFromTo(195, 255, 385, 385);  // round its floor, walls, hamster and exit
    ASSERT_EQ(d->selection.size(), 21u);
    EXPECT_EQ(design::Counted(Records(), d->selection), "19 blocks, 1 hamster, 1 exit");

    // Dragged by a block, cell by cell; then one cell right with the arrow key.
    const LevelRecord hamster = Records()[19];
    io.MoveTo(300, 370);
    Frame();
    io.buttons |= kLeftButton;
    Frame();
    io.MoveTo(262, 265);
    Frame();
    Shot("designer-select");  // the selection, and where the drag would put it
    io.buttons &= ~kLeftButton;
    Frame();
    Press(kKeyRight);
    EXPECT_EQ(Records()[19].x, hamster.x - 40 + 20);
    EXPECT_EQ(Records()[19].y, hamster.y - 100);
    EXPECT_EQ(d->selection.size(), 21u) << "a move keeps the selection";
    const LevelRecord moved = Records()[0];

    Ctrl('C');
    Press(kKeyPgDn);  // the fourth level
    const std::size_t before = Records().size();
    io.MoveTo(200, 280);  // where the level has room
    Frame();
    Ctrl('V');
    EXPECT_EQ(Records().size(), before + 21);
    EXPECT_EQ(d->selection.size(), 21u) << "what is pasted is selected, to be dragged";
    EXPECT_EQ(d->tool, design::Tool::Select);
    const LevelList edited = d->doc.Levels();

    // Each of the three changes is one step, and says what it undoes.
    Ctrl('Z');
    EXPECT_EQ(d->message, "undo: 19 blocks, 1 hamster, 1 exit pasted");
    Ctrl('Z');
    Ctrl('Z');
    EXPECT_EQ(d->message, "undo: 19 blocks, 1 hamster, 1 exit moved");
    EXPECT_TRUE(SameLevels(d->doc.Levels(), original));
    EXPECT_FALSE(d->doc.Dirty());
    EXPECT_FALSE(d->doc.CanUndo());
    for (int i = 0; i < 3; ++i) Ctrl('Y');
    EXPECT_EQ(d->message, "redo: 19 blocks, 1 hamster, 1 exit pasted");
    EXPECT_TRUE(SameLevels(d->doc.Levels(), edited));
    EXPECT_TRUE(SameRecord(d->doc.Levels()[2].records[0], moved));

    Ctrl('S');
    EXPECT_TRUE(SameLevels(Dumped(dir / "builtin.pak"), edited));

    // Another file, in another designer: the copy pastes there too, and a
    // cut takes it away again.
    ASSERT_TRUE(Open("other.txt"));
    io.MoveTo(320, 200);
    Frame();
    Ctrl('V');
    EXPECT_EQ(Count(REC_BLOCK), 19);
    EXPECT_EQ(Count(REC_HAMSTER), 1);
    Ctrl('S');
    std::string text;
    ASSERT_TRUE(ReadRegularFile((dir / "other.txt").string(), text, error)) << error;
    EXPECT_TRUE(SameLevels(ParseLevelText(text).levels, d->doc.Levels()));
    Ctrl('X');
    EXPECT_EQ(Records().size(), 1u);
    Ctrl('Z');
    Ctrl('A');
    // Del in the frame that turns to another level acts on no level at all.
    ASSERT_TRUE(d->doc.AddLevel());
    Press(kKeyPgUp);
    Ctrl('A');
    Press(kKeyDel, {kKeyPgDn});
    EXPECT_EQ(d->doc.Current(), 1);
    Press(kKeyPgUp);
    EXPECT_EQ(Count(REC_BLOCK), 19);
    Ctrl('A');
    Press(kKeyDel);
    EXPECT_EQ(Records().size(), 1u);
}

TEST_F(Editing, StrokesSnapsAndTheClickableBar) {
    ASSERT_TRUE(Open("pit.txt"));
    Tool('B');
    DragFromTo(210, 370, 370, 372);  // the floor
    // An eraser's stroke takes every block it passes over, in one step.
    Tool('E');
    DragFromTo(205, 371, 295, 369);
    EXPECT_EQ(Count(REC_BLOCK), 4);
    ClickCommand(design::Command::Undo);
    EXPECT_EQ(d->message, "undo: 5 blocks erased");
    EXPECT_EQ(Count(REC_BLOCK), 9);
    // Shift+drag fills a rectangle of cells.
    Tool('R');
    DragFromTo(30, 30, 90, 70, true);
    EXPECT_EQ(Count(REC_BRICK), 12);

    // An exit's corners snap to the 10-pixel grid; with Alt they do not.
    Tool('X');
    DragFromTo(403, 207, 513, 267);
    EXPECT_TRUE(SameRecord(Records()[Records().size() - 2], Rec(REC_EXIT, 400, 210, 110, 60)));
    io.Hold(kKeyAlt);
    DragFromTo(403, 107, 513, 167);
    io.Hold(kKeyAlt, false);
    EXPECT_TRUE(SameRecord(Records()[Records().size() - 2], Rec(REC_EXIT, 403, 107, 111, 61)));
    // A hamster clicked just above the floor stands on it: no finding.
    Tool('H');
    ClickAt(330, 355);
    EXPECT_TRUE(SameRecord(Records()[Records().size() - 2], Rec(REC_HAMSTER, 330, 344)));
    EXPECT_EQ(d->check.errors + d->check.warnings, 0);

    // Resting on a button names it and its key; test-play says how to leave.
    const design::BarBox save = design::CommandButton(static_cast<int>(design::Command::Save));
    const int barTop = kScreenHeight - design::kBarHeight;
    io.MoveTo(save.x + 12, barTop + save.y + 12);
    Frame();
    BITMAP* b = Bitmap(Buffer());
    EXPECT_EQ(getpixel(b, save.x + 12, barTop - 17), PictureColour(10, 14, 30)) << "the tooltip's box";
    ClickCommand(design::Command::Save);
    EXPECT_FALSE(d->doc.Dirty());
    ClickCommand(design::Command::TestPlay);
    Frame();
    ASSERT_TRUE(d->playing);
    EXPECT_EQ(getpixel(b, 6, barTop - 15), PictureColour(10, 14, 30)) << "test-play's line above the HUD";
    Press(kKeyTab);
    EXPECT_FALSE(d->playing);

    // Findings longer than the screen scroll, each one whole.
    Tool('H');
    io.Hold(kKeyAlt);
    for (int i = 0; i < 40; ++i) ClickAt(220, 372);  // inside the floor, one on another
    io.Hold(kKeyAlt, false);
    ClickCommand(design::Command::Findings);
    ASSERT_TRUE(d->findings);
    io.wheel = -5;
    Frame();
    EXPECT_EQ(d->findingsTop, 5);
    for (int i = 0; i < 10; ++i) Press(kKeyDown);
    EXPECT_EQ(d->findingsTop, 15);
    io.wheel = -1000;
    Frame();
    const int last = d->findingsTop;
    EXPECT_GT(last, 15);
    Press(kKeyDown);
    EXPECT_EQ(d->findingsTop, last) << "no further than the last line";
}

}  // namespace
