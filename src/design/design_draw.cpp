// The designer's picture: the level as the game draws it before its run,
// the faint grid, what the cursor is about to do, the bar and the overlays.
#include <algorithm>
#include <cstdio>

#include "design/design_parts.h"
#include "game/assets.h"
#include "game/drawing.h"
#include "game/frame_draw.h"
#include "game/keys.h"

namespace design {

namespace {

constexpr int kCharWidth = 8, kLineHeight = 10;

const char* const kHelpLines[] = {
    "B R H X F E    tool: block, brick, hamster, exit, fixed bomb, eraser",
    "left click     put a block or brick on a cell, a hamster or fixed bomb",
    "left drag      a row or column of blocks or bricks; an exit's rectangle",
    "right click    remove the object under the cursor (the one on top)",
    "Shift+drag     move the object under the cursor",
    "wheel  + -     a fixed bomb's fuse, a quarter second a step",
    "I  Shift+I     one more / one fewer inventory bomb",
    "Ctrl+Z         undo     Ctrl+Y, Ctrl+Shift+Z  redo",
    "PgUp PgDn      previous / next level",
    "Ctrl+N  Ctrl+D new level / copy of this one after it",
    "Ctrl+Delete    delete this level    Ctrl+PgUp/PgDn  move it",
    "F2             rename the level (Enter accepts, Esc cancels)",
    "Tab            test-play; Tab again returns",
    "F3             the checker's findings    F4  hide or show this bar",
    "F5             solve (again, or any change, cancels)",
    "Ctrl+S         save          F10  quit          F1  this help",
};

int Colour(int r, int g, int b) { return PictureColour(r, g, b); }

void Text(Picture* b, const std::string& s, int x, int y, int colour) {
    WriteText(b, s.c_str(), x + 1, y + 1, Colour(0, 0, 0));
    WriteText(b, s.c_str(), x, y, colour);
}

// At most chars characters, the cut marked.
std::string Fit(const std::string& s, std::size_t chars) {
    return s.size() <= chars ? s : s.substr(0, chars - 1) + "~";
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

void FuseLabels(Picture* b, const std::vector<LevelRecord>& records) {
    char text[16];
    for (const LevelRecord& r : records) {
        if (r.type != REC_FIXED_BOMB) continue;
        std::snprintf(text, sizeof text, "%d.%02ds", r.param / 4, 25 * (r.param % 4));
        Text(b, text, r.x + kRoundHalf + 2, r.y - 4, Colour(255, 230, 120));
    }
}

// What a release would do, drawn while the button is held; what a click
// would take, while it is not.
void CursorPreview(const Designer& d, Picture* b) {
    const int x = d.in.mouseX, y = d.in.mouseY, yellow = Colour(255, 230, 80), red = Colour(255, 80, 80);
    const std::vector<LevelRecord>& recs = d.doc.Level().records;
    if (d.drag == Drag::Move) {
        const int at = RecordAt(recs, d.pressX, d.pressY);
        if (at < 0) return;
        PixelRect box = RecordBox(recs[static_cast<std::size_t>(at)]);
        box.left += x - d.pressX;
        box.top += y - d.pressY;
        Outline(b, box, yellow);
        return;
    }
    if (y >= BarTop(d) && d.drag == Drag::None) return;
    const bool piece = d.tool == Tool::Block || d.tool == Tool::Brick;
    if (d.drag == Drag::Draw && piece) {
        for (const Cell& c : LineCells(d.pressX, d.pressY, x, y))
            Outline(b, {c.x - kCell / 2, c.y - kCell / 2, kCell, kCell}, yellow);
    } else if (d.drag == Drag::Draw && d.tool == Tool::Exit) {
        Outline(b, {std::min(x, d.pressX), std::min(y, d.pressY), std::abs(x - d.pressX) + 1, std::abs(y - d.pressY) + 1},
                Colour(120, 255, 120));
    } else if (piece) {
        Outline(b, {CellCentre(x) - kCell / 2, CellCentre(y) - kCell / 2, kCell, kCell}, yellow);
    } else if (d.tool == Tool::Hamster || d.tool == Tool::FixedBomb) {
        Outline(b, {x - kRoundHalf, y - kRoundHalf, 2 * kRoundHalf, 2 * kRoundHalf}, yellow);
    }
    const int under = RecordAt(recs, x, y);
    if (under >= 0 && (d.tool == Tool::Eraser || d.in.Shift()))
        Outline(b, RecordBox(recs[static_cast<std::size_t>(under)]), d.tool == Tool::Eraser ? red : yellow);
}

void Panel(Picture* b, int x0, int y0, int x1, int y1) {
    ShadeBox(b, x0, y0, x1, y1, Colour(10, 12, 20), 200);
    DrawOutline(b, x0, y0, x1, y1, Colour(150, 160, 186));
}

void Help(Picture* b) {
    const int lines = static_cast<int>(std::size(kHelpLines));
    const int top = 40, left = 24;
    Panel(b, left - 8, top - 8, PictureWidth(b) - left + 8, top + (lines + 2) * kLineHeight + 4);
    Text(b, "The level designer: keys", left, top, Colour(255, 230, 120));
    for (int i = 0; i < lines; ++i) Text(b, kHelpLines[i], left, top + (i + 2) * kLineHeight, Colour(236, 240, 250));
}

void Findings(const Designer& d, Picture* b) {
    const std::vector<LevelRecord>& recs = d.doc.Level().records;
    const int error = Colour(255, 80, 80), warning = Colour(255, 200, 60);
    for (const Finding& f : d.check.findings)
        for (int k : {f.record, f.related})
            if (k >= 0 && k + 1 < static_cast<int>(recs.size()))
                Outline(b, RecordBox(recs[static_cast<std::size_t>(k)]), f.severity == Severity::Error ? error : warning);
    const int shown = std::min<int>(static_cast<int>(d.check.findings.size()), 30);
    const int top = 16, left = 16;
    Panel(b, left - 6, top - 6, PictureWidth(b) - left + 6, top + (shown + 1) * kLineHeight + 2);
    Text(b, d.check.findings.empty() ? "The checker finds nothing wrong with this level." : "The checker's findings:",
         left, top, Colour(236, 240, 250));
    for (int i = 0; i < shown; ++i) {
        const Finding& f = d.check.findings[static_cast<std::size_t>(i)];
        const bool isError = f.severity == Severity::Error;
        std::string line = isError ? "error: " : "warning: ";
        if (f.record >= 0) line += "record " + std::to_string(f.record + 1) + ": ";
        Text(b, Fit(line + f.message, 76), left, top + (i + 1) * kLineHeight, isError ? error : warning);
    }
}

void Rename(const Designer& d, Picture* b) {
    const int top = 200;
    Panel(b, 40, top - 8, PictureWidth(b) - 40, top + 30);
    Text(b, "Level name (Enter accepts, Esc cancels):", 48, top, Colour(255, 230, 120));
    const std::string shown = d.renameText.size() > 68 ? d.renameText.substr(d.renameText.size() - 68) : d.renameText;
    Text(b, shown + "_", 48, top + 14, Colour(236, 240, 250));
}

std::string Plural(int n, const char* one, const char* many) { return std::to_string(n) + " " + (n == 1 ? one : many); }

void Bar(const Designer& d, Picture* b, Picture* bar) {
    const int top = BarTop(d);
    CopyPicture(bar, b, 0, 0, 0, top, PictureWidth(bar), PictureHeight(bar));
    const BarBox tool = ToolButton(static_cast<int>(d.tool));
    DrawOutline(b, tool.x, top + tool.y, tool.x + tool.w + 2, top + tool.y + tool.h + 2, Colour(255, 230, 80));

    const std::vector<LevelRecord>& recs = d.doc.Level().records;
    const int ink = Colour(236, 240, 250), dim = Colour(172, 182, 204);
    const int wellChars = (kLevelWell.w - 2 * kTextLeft) / kCharWidth;
    const std::string place = std::to_string(d.doc.Current() + 1) + " / " + std::to_string(d.doc.Levels().size());
    Text(b, Fit(place + "  " + d.doc.Level().name + (d.doc.Dirty() ? "  *" : ""), wellChars),
         kLevelWell.x + kTextLeft, top + kLevelLineY[0], ink);
    const LevelCheck& c = d.check;
    const std::string counts = Plural(CountType(recs, REC_HAMSTER), "hamster", "hamsters") + ", " +
                               Plural(CountType(recs, REC_BOMB), "bomb", "bombs") + "   " +
                               Plural(c.errors, "error", "errors") + ", " + Plural(c.warnings, "warning", "warnings");
    Text(b, Fit(counts, wellChars), kLevelWell.x + kTextLeft, top + kLevelLineY[1],
         c.errors > 0 ? Colour(255, 110, 110) : c.warnings > 0 ? Colour(255, 210, 90) : dim);

    const int statusChars = (kStatusWell.w - 2 * kTextLeft) / kCharWidth;
    std::string solve = d.solves.Status(recs);
    if (solve.empty()) solve = "F5: solve   Tab: test-play   F1: help";
    Text(b, Fit(solve, statusChars), kStatusWell.x + kTextLeft, top + kStatusLineY[0], ink);
    const std::string note = d.playNote.empty() ? d.message : d.playNote + "   " + d.message;
    Text(b, Fit(note, statusChars), kStatusWell.x + kTextLeft, top + kStatusLineY[1],
         d.messageFailed ? Colour(255, 110, 110) : dim);
}

}  // namespace

void DrawDesign(Designer& d, const DesignPictures& pictures) {
    const Assets& game = *pictures.game;
    Picture* b = game.backBuffer.get();
    EnsureWorld(d);
    DrawBackground(b, game.background.get());
    DrawObjects(b, d.world, game);
    Grid(b, BarTop(d));
    FuseLabels(b, d.doc.Level().records);
    CursorPreview(d, b);
    if (d.findings) Findings(d, b);
    if (d.barShown) Bar(d, b, pictures.bar);
    if (d.help) Help(b);
    if (d.renaming) Rename(d, b);
    DrawCursor(b, game.cursor.get(), d.in.mouseX, d.in.mouseY, true);
}

}  // namespace design
