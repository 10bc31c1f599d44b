#pragma once
// What the player's edition says when a level is complete (its result,
// over the level's last picture) and when the last level is (the set is
// done, with totals).
#include "edition/level_play.h"
#include "packs/pack_model.h"
#include "progress/progress.h"

struct Assets;
struct Picture;

namespace edition {

// lastLevel: the set is done after this one.
void DrawResult(Picture* target, const LevelResult& result, bool lastLevel);

struct SetTotals {
    int levels = 0;
    int solved = 0;
    int hinted = 0;     // of the solved, those only ever solved after a hint
    int bombs = 0;      // in the best runs
    int frames = 0;     // the best runs' times together
};
SetTotals TotalsOf(const LevelList& levels, const Progress& progress);
void DrawSetDone(Picture* target, const Assets& assets, const SetTotals& totals);

}  // namespace edition
