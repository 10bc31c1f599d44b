#include "edition/result_screens.h"

#include <string>

#include "edition/edition_draw.h"
#include "edition/title_screen.h"
#include "game/drawing.h"
#include "packs/level_hash.h"
#include "sim/play_field.h"

namespace edition {

namespace {

std::string Bombs(int n) { return std::to_string(n) + (n == 1 ? " bomb" : " bombs"); }

// A line of the panel: its name in grey at the left, what it says at x.
void Row(Picture* target, const char* name, const std::string& text, int y, int colour) {
    Text(target, name, 168, y, Grey());
    Text(target, text, 288, y, colour);
}

}  // namespace

void DrawResult(Picture* target, const LevelResult& r, bool lastLevel) {
    // Below the game's own "Level complete" banner, which stays in view.
    constexpr int kTop = 292, kBottom = 412;
    Panel(target, 140, kTop, 499, kBottom);
    DrawLabel(target, r.label, 168, kTop + 12, Amber());
    std::string best;
    int colour = White();
    if (!r.bestBefore) {
        best = "solved for the first time";
        colour = Green();
    } else if (BetterResult(RunResult{std::vector<BombPlacement>(static_cast<size_t>(r.bombs)), r.frame},
                            r.bestBefore->best)) {
        best = "a new best (was " + Bombs(static_cast<int>(r.bestBefore->best.bombs.size())) + ", " +
               SecondsText(r.bestBefore->best.frame) + ")";
        colour = Green();
    } else {
        best = "best kept: " + Bombs(static_cast<int>(r.bestBefore->best.bombs.size())) + ", " +
               SecondsText(r.bestBefore->best.frame);
    }
    Row(target, "bombs used", Bombs(r.bombs), kTop + 34, White());
    Text(target, best, 288, kTop + 46, colour);
    Row(target, "run time", SecondsText(r.frame), kTop + 64, White());
    Row(target, "hint", r.hinted ? "used" : "none", kTop + 80, r.hinted ? Amber() : White());
    TextCentred(target, lastLevel ? "Enter or a click: the set is done" : "Enter or a click: the next level",
                kScreenWidth / 2, kBottom - 16, Grey());
}

SetTotals TotalsOf(const LevelList& levels, const Progress& progress) {
    SetTotals t;
    t.levels = static_cast<int>(levels.size());
    for (const PackLevel& level : levels) {
        const LevelProgress* kept = progress.Find(LevelHash(level.records.data()));
        if (!kept) continue;
        t.solved += 1;
        t.hinted += kept->hinted ? 1 : 0;
        t.bombs += static_cast<int>(kept->best.bombs.size());
        t.frames += kept->best.frame;
    }
    return t;
}

void DrawSetDone(Picture* target, const Assets& assets, const SetTotals& t) {
    DrawTitleBackdrop(target, assets);
    Panel(target, 120, 140, 519, 330);
    BlockWord(target, "WELL DONE", kScreenWidth / 2, 156, 5);
    TextCentred(target, "The last level of the set is done.", kScreenWidth / 2, 206, White());
    const std::string solved = std::to_string(t.solved) + " of " + std::to_string(t.levels) + " levels solved" +
                               (t.hinted > 0 ? ", " + std::to_string(t.hinted) + " only with a hint" : "");
    TextCentred(target, solved, kScreenWidth / 2, 230, t.solved == t.levels ? Green() : White());
    TextCentred(target, "best runs together: " + Bombs(t.bombs) + ", " + SecondsText(t.frames), kScreenWidth / 2, 250,
                White());
    TextCentred(target, "Enter or a click: back to the title", kScreenWidth / 2, 306, Grey());
}

}  // namespace edition
