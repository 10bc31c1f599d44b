// The designer's picture: the level as the game draws it before its run,
// the faint grid, the selection, what the cursor is about to do, the bar
// with the name of the button under the cursor, and the overlays.
#include <algorithm>

#include "design/design_parts.h"
#include "game/assets.h"
#include "game/drawing.h"
#include "game/frame_draw.h"
#include "game/keys.h"
#include "sim/fuse.h"

namespace design {

namespace {

constexpr int kCharWidth = 8, kLineHeight = 10;

const char* const kHelpLines[] = {
    "B R H X F E S  tool: block, brick, hamster, exit, fixed bomb, eraser, select",
    "left click     a block or brick on a cell; a hamster (standing on the floor",
    "               below it) or a fixed bomb; Alt held: exactly where clicked",
    "left drag      a row or column of blocks or bricks; an exit on the 10-pixel",
    "               grid (Alt: free); the eraser erases all it passes over",
    "Shift+drag     blocks, bricks: a filled rectangle; other tools: move one",
    "select tool    drag a rectangle (Shift adds); drag or arrows move it",
    "Delete         delete the selection      Ctrl+A  select everything",
    "Ctrl+C Ctrl+X  copy, cut the selection   Ctrl+V  paste at the cursor",
    "right click    remove the object under the cursor (the one on top)",
    "wheel  + -     a fixed bomb's fuse, a quarter second a step",
    "I  Shift+I     one more / one fewer inventory bomb",
    "Ctrl+Z         undo     Ctrl+Y, Ctrl+Shift+Z  redo",
    "PgUp PgDn      previous / next level",
    "Ctrl+N  Ctrl+D new level / copy of this one after it",
    "Ctrl+Delete    delete this level    Ctrl+PgUp/PgDn  move it",
    "F2             rename the level (Enter accepts, Esc cancels)",
    "Tab            test-play; Tab again returns",
    "F3             the checker's findings    F4  hide or show this bar",
    "F5             solve, then prove what one bomb can do (again cancels)",
    "Ctrl+S         save          F10  quit          F1  this help",
    "Every button on the bar can be clicked; resting on one names it.",
};

int Colour(int r, int g, int b) { return PictureColour(r, g, b); }
int SelectionColour() { return Colour(90, 220, 255); }

void Text(Picture* b, const std::string& s, int x, int y, int colour) {
    WriteText(b, s.c_str(), x + 1, y + 1, Colour(0, 0, 0));
    WriteText(b, s.c_str(), x, y, colour);
}

// A line too long for its place scrolls along it and back, resting at both ends.
std::string Ticker(const std::string& s, std::size_t chars, uint64_t frame) {
    if (s.size() <= chars) return s;
    constexpr std::size_t kRest = 16;  // steps of 8 frames, a character a step
    const std::size_t travel = s.size() - chars, period = 2 * (travel + kRest);
    const std::size_t t = static_cast<std::size_t>(frame / 8 % period);
    const std::size_t at = t < kRest                   ? 0
                           : t < kRest + travel        ? t - kRest
                           : t < 2 * kRest + travel    ? travel
                                                       : period - t;
    return s.substr(at, chars);
}

// Lines of at most chars characters, broken at spaces where it can be; the
// lines after the first indented by two.
std::vector<std::string> Wrapped(const std::string& s, std::size_t chars) {
    std::vector<std::string> lines;
    std::string rest = s;
    while (rest.size() > chars) {
        std::size_t cut = rest.rfind(' ', chars);
        if (cut == std::string::npos || cut < chars / 2) cut = chars;
        lines.push_back(rest.substr(0, cut));
        rest = "  " + rest.substr(rest[cut] == ' ' ? cut + 1 : cut);
    }
    lines.push_back(rest);
    return lines;
}

void EnsureWorld(Designer& d) {
    if (d.builtRevision == d.doc.Revision() && d.builtLevel == d.doc.Current()) return;
    BuildLevel(d.world, d.doc.Level().records.data());
    d.world.EditMode = true;
    d.builtRevision = d.doc.Revision();
    d.builtLevel = d.doc.Current();
}

// Lines a single pixel wide, a faint white over the play-field.
void Grid(Picture* b, int bottom) {
    const int white = Colour(255, 255, 255), w = PictureWidth(b);
    for (int x = kCell; x < w; x += kCell) ShadeBox(b, x, 0, x, bottom - 1, white, 40);
    for (int y = kCell; y < bottom; y += kCell) ShadeBox(b, 0, y, w - 1, y, white, 40);
}

void Outline(Picture* b, const PixelRect& r, int colour) {
    if (r.w > 0 && r.h > 0) DrawOutline(b, r.left, r.top, r.left + r.w - 1, r.top + r.h - 1, colour);
}

PixelRect Moved(PixelRect r, int dx, int dy) {
    r.left += dx;
    r.top += dy;
    return r;
}

// A fixed bomb's fuse as the game reads it out, a digit and a quarter pie.
void FuseLabels(Picture* b, const Assets& game, const std::vector<LevelRecord>& records) {
    for (const LevelRecord& r : records)
        if (r.type == REC_FIXED_BOMB) DrawFuseAbove(b, game, r.x, r.y, FixedBombFuse(r.param));
}

// The selection, outlined; while it is dragged, where it would go.
void Selection(const Designer& d, Picture* b) {
    const std::vector<LevelRecord>& recs = d.doc.Level().records;
    int dx = 0, dy = 0;
    if (d.drag == Drag::MoveSelection) {
        const bool cells = std::any_of(d.selection.begin(), d.selection.end(),
                                       [&](int i) { return IsPiece(recs[static_cast<std::size_t>(i)]); });
        dx = CellSnapped(d.in.mouseX - d.pressX, cells);
        dy = CellSnapped(d.in.mouseY - d.pressY, cells);
    }
    for (int i : d.selection) {
        const PixelRect box = RecordBox(recs[static_cast<std::size_t>(i)]);
        Outline(b, box, SelectionColour());
        if (dx != 0 || dy != 0) Outline(b, Moved(box, dx, dy), Colour(255, 230, 80));
    }
}

// What a release would do, drawn while the button is held; what a click
// would take, while it is not.
void CursorPreview(const Designer& d, Picture* b) {
    const int x = d.in.mouseX, y = d.in.mouseY, yellow = Colour(255, 230, 80), red = Colour(255, 80, 80);
    const std::vector<LevelRecord>& recs = d.doc.Level().records;
    const bool snap = !AltHeld(d.in);
    switch (d.drag) {
        case Drag::Move: {
            const int at = RecordAt(recs, d.pressX, d.pressY);
            if (at >= 0) Outline(b, Moved(RecordBox(recs[static_cast<std::size_t>(at)]), x - d.pressX, y - d.pressY), yellow);
            return;
        }
        case Drag::Select:
            Outline(b, {std::min(x, d.pressX), std::min(y, d.pressY), std::abs(x - d.pressX) + 1, std::abs(y - d.pressY) + 1},
                    SelectionColour());
            return;
        case Drag::Erase:
            if (!d.dragMoved) break;  // still a click: the object on top, as below
            for (int i : d.stroke) Outline(b, RecordBox(recs[static_cast<std::size_t>(i)]), red);
            return;
        case Drag::Fill:
            for (int cy = CellCentre(std::min(y, d.pressY)); cy <= CellCentre(std::max(y, d.pressY)); cy += kCell)
                for (int cx = CellCentre(std::min(x, d.pressX)); cx <= CellCentre(std::max(x, d.pressX)); cx += kCell)
                    Outline(b, {cx - kCell / 2, cy - kCell / 2, kCell, kCell}, yellow);
            return;
        case Drag::MoveSelection:
            return;
        case Drag::Draw:
            if (d.tool == Tool::Block || d.tool == Tool::Brick) {
                for (const Cell& c : LineCells(d.pressX, d.pressY, x, y))
                    Outline(b, {c.x - kCell / 2, c.y - kCell / 2, kCell, kCell}, yellow);
                return;
            }
            if (d.tool == Tool::Exit) {
                int left = std::min(x, d.pressX), top = std::min(y, d.pressY);
                int w = std::abs(x - d.pressX) + 1, h = std::abs(y - d.pressY) + 1;
                if (snap && w >= 2 && h >= 2) {  // as PlaceExit will put it
                    const int right = std::max(ExitGrid(left + w), ExitGrid(left) + 10);
                    const int bottom = std::max(ExitGrid(top + h), ExitGrid(top) + 10);
                    left = ExitGrid(left), top = ExitGrid(top), w = right - left, h = bottom - top;
                }
                Outline(b, {left, top, w, h}, Colour(120, 255, 120));
                return;
            }
            break;
        case Drag::None:
            break;
    }
    if (y >= BarTop(d) && d.drag == Drag::None) return;
    if (d.tool == Tool::Block || d.tool == Tool::Brick) {
        Outline(b, {CellCentre(x) - kCell / 2, CellCentre(y) - kCell / 2, kCell, kCell}, yellow);
    } else if (d.tool == Tool::Hamster) {
        const int stand = snap ? StandingY(recs, x, y) : y;
        Outline(b, {x - kRoundHalf, stand - kRoundHalf, 2 * kRoundHalf, 2 * kRoundHalf}, yellow);
    } else if (d.tool == Tool::FixedBomb) {
        Outline(b, {x - kRoundHalf, y - kRoundHalf, 2 * kRoundHalf, 2 * kRoundHalf}, yellow);
    }
    const int under = RecordAt(recs, x, y);
    if (under >= 0 && (d.tool == Tool::Eraser || d.tool == Tool::Select || d.in.Shift()))
        Outline(b, RecordBox(recs[static_cast<std::size_t>(under)]), d.tool == Tool::Eraser ? red : yellow);
}

void Panel(Picture* b, int x0, int y0, int x1, int y1) {
    ShadeBox(b, x0, y0, x1, y1, Colour(10, 12, 20), 200);
    DrawOutline(b, x0, y0, x1, y1, Colour(150, 160, 186));
}

void Help(Picture* b) {
    const int lines = static_cast<int>(std::size(kHelpLines));
    const int top = 16, left = 16;
    Panel(b, left - 8, top - 8, PictureWidth(b) - left + 8, top + (lines + 2) * kLineHeight + 4);
    Text(b, "The level designer: keys", left, top, Colour(255, 230, 120));
    for (int i = 0; i < lines; ++i) Text(b, kHelpLines[i], left, top + (i + 2) * kLineHeight, Colour(236, 240, 250));
}

// Every finding whole, wrapped; the wheel or Up and Down scroll a list
// longer than the screen.
void Findings(Designer& d, Picture* b) {
    const std::vector<LevelRecord>& recs = d.doc.Level().records;
    const int error = Colour(255, 80, 80), warning = Colour(255, 200, 60);
    for (const Finding& f : d.check.findings)
        for (int k : {f.record, f.related})
            if (k >= 0 && k + 1 < static_cast<int>(recs.size()))
                Outline(b, RecordBox(recs[static_cast<std::size_t>(k)]), f.severity == Severity::Error ? error : warning);
    struct Line {
        std::string text;
        int colour;
    };
    std::vector<Line> lines;
    for (const Finding& f : d.check.findings) {
        const bool isError = f.severity == Severity::Error;
        std::string line = isError ? "error: " : "warning: ";
        if (f.record >= 0) line += "record " + std::to_string(f.record + 1) + ": ";
        for (std::string& part : Wrapped(line + f.message, 76)) lines.push_back({std::move(part), isError ? error : warning});
    }
    const int top = 16, left = 16;
    const int room = std::max(1, (BarTop(d) - top - 3 * kLineHeight) / kLineHeight);
    const int count = static_cast<int>(lines.size());
    d.findingsTop = std::clamp(d.findingsTop, 0, std::max(0, count - room));
    const int shown = std::min(room, count - d.findingsTop);
    const bool scrolls = count > room;
    Panel(b, left - 6, top - 6, PictureWidth(b) - left + 6, top + (shown + 1 + (scrolls ? 1 : 0)) * kLineHeight + 2);
    Text(b, d.check.findings.empty() ? "The checker finds nothing wrong with this level." : "The checker's findings:",
         left, top, Colour(236, 240, 250));
    for (int i = 0; i < shown; ++i) {
        const Line& l = lines[static_cast<std::size_t>(d.findingsTop + i)];
        Text(b, l.text, left, top + (i + 1) * kLineHeight, l.colour);
    }
    if (scrolls)
        Text(b,
             "lines " + std::to_string(d.findingsTop + 1) + " to " + std::to_string(d.findingsTop + shown) + " of " +
                 std::to_string(count) + ": the wheel or Up and Down scroll",
             left, top + (shown + 1) * kLineHeight, Colour(172, 182, 204));
}

void Rename(const Designer& d, Picture* b) {
    const int top = 200;
    Panel(b, 40, top - 8, PictureWidth(b) - 40, top + 30);
    Text(b, "Level name (Enter accepts, Esc cancels):", 48, top, Colour(255, 230, 120));
    const std::string shown = d.renameText.size() > 68 ? d.renameText.substr(d.renameText.size() - 68) : d.renameText;
    Text(b, shown + "_", 48, top + 14, Colour(236, 240, 250));
}

std::string Plural(int n, const char* one, const char* many) { return std::to_string(n) + " " + (n == 1 ? one : many); }

// The name and key of the button under the cursor, in a box above it.
void Tooltip(const Designer& d, Picture* b) {
    const int x = d.in.mouseX, y = d.in.mouseY;
    std::string tip;
    if (const int t = ToolUnder(d, x, y); t >= 0) {
        tip = std::string(kToolNames[t]) + "   " + kToolKeys[t];
    } else if (const int c = CommandUnder(d, x, y); c >= 0) {
        std::string name = kCommandNames[c];
        const std::string undo = d.doc.NextUndo(), redo = d.doc.NextRedo();
        if (c == static_cast<int>(Command::Undo) && !undo.empty()) name += ": " + undo;
        if (c == static_cast<int>(Command::Redo) && !redo.empty()) name += ": " + redo;
        tip = name + "   " + kCommandKeys[c];
    }
    if (tip.empty()) return;
    const int w = TextWidth(tip.c_str()) + 8, top = BarTop(d) - 18;
    const int left = std::clamp(x - w / 2, 2, PictureWidth(b) - w - 2);
    FillBox(b, left, top, left + w, top + 13, Colour(10, 14, 30));
    DrawOutline(b, left, top, left + w, top + 13, Colour(150, 160, 186));
    WriteText(b, tip.c_str(), left + 4, top + 3, Colour(255, 255, 255));
}

void Bar(const Designer& d, Picture* b, Picture* bar) {
    const int top = BarTop(d);
    CopyPicture(bar, b, 0, 0, 0, top, PictureWidth(bar), PictureHeight(bar));
    const BarBox tool = ToolButton(static_cast<int>(d.tool));
    DrawOutline(b, tool.x, top + tool.y, tool.x + tool.w + 2, top + tool.y + tool.h + 2, Colour(255, 230, 80));

    const std::vector<LevelRecord>& recs = d.doc.Level().records;
    const int ink = Colour(236, 240, 250), dim = Colour(172, 182, 204);
    const std::size_t chars = static_cast<std::size_t>((kTextWell.w - 2 * kTextLeft) / kCharWidth);
    const int x = kTextWell.x + kTextLeft;
    const LevelCheck& c = d.check;
    const std::string place = std::to_string(d.doc.Current() + 1) + "/" + std::to_string(d.doc.Levels().size());
    std::string level = place + " " + d.doc.Level().name + (d.doc.Dirty() ? " *" : "") + "   " +
                        Plural(CountType(recs, REC_HAMSTER), "hamster", "hamsters") + ", " +
                        Plural(CountType(recs, REC_BOMB), "bomb", "bombs") + ", " +
                        Plural(c.errors, "error", "errors") + ", " + Plural(c.warnings, "warning", "warnings");
    if (!d.selection.empty()) level += "   selected: " + Counted(recs, d.selection);
    Text(b, Ticker(level, chars, d.frames), x, top + kLineY[0],
         c.errors > 0 ? Colour(255, 110, 110) : c.warnings > 0 ? Colour(255, 210, 90) : ink);

    std::string solve = d.solves.Status(recs);
    if (solve.empty()) solve = "F5: solve   Tab: test-play   F1: help   rest on a button to see its name";
    Text(b, Ticker(solve, chars, d.frames), x, top + kLineY[1], ink);
    Text(b, Ticker(d.solves.CheckStatus(recs), chars, d.frames), x, top + kLineY[2], ink);
    const std::string note = d.playNote.empty() ? d.message : d.playNote + "   " + d.message;
    Text(b, Ticker(note, chars, d.frames), x, top + kLineY[3], d.messageFailed ? Colour(255, 110, 110) : dim);
}

}  // namespace

void DrawDesign(Designer& d, const DesignPictures& pictures) {
    const Assets& game = *pictures.game;
    Picture* b = game.backBuffer.get();
    EnsureWorld(d);
    DrawBackground(b, game.background.get());
    DrawObjects(b, d.world, game);
    Grid(b, BarTop(d));
    FuseLabels(b, game, d.doc.Level().records);
    Selection(d, b);
    CursorPreview(d, b);
    if (d.findings) Findings(d, b);
    if (d.barShown) Bar(d, b, pictures.bar);
    if (d.help) Help(b);
    if (d.renaming) Rename(d, b);
    if (d.barShown && !d.help && !d.renaming && d.drag == Drag::None) Tooltip(d, b);
    DrawCursor(b, game.cursor.get(), d.in.mouseX, d.in.mouseY, true);
    d.frames += 1;
}

}  // namespace design
