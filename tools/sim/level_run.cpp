#include "sim/level_run.h"

#include <allegro.h>

#include <algorithm>

#include "levels/level_record.h"
#include "levels/world.h"
#include "objects/bomb.h"
#include "objects/player.h"
#include "play/hud_controls.h"
#include "shell/asset_files.h"
#include "shell/assets.h"
#include "shell/frame_io.h"
#include "shell/frame_loop.h"
#include "shell/globals.h"

namespace {

// The player's hands during a simulated run: Space in the first frame and
// nothing afterwards. The cursor waits just beyond the window's bottom-right
// corner, so no picture shows it and no control is under it.
class SimIo : public FrameIo {
public:
    int presented = 0;
    void Sample(InputSample& s) override {
        s.mouseX = kScreenWidth;
        s.mouseY = kScreenHeight;
        s.buttons = 0;
        s.keys[KEY_SPACE] = presented == 0;
    }
    void Present(BITMAP*) override { ++presented; }
};

}  // namespace

int PlaceableBombs(const LevelRecord* records) {
    int bombs = 0;
    for (const LevelRecord* r = records; static_cast<uint16_t>(r->type) != REC_END; ++r) {
        if (static_cast<uint16_t>(r->type) == REC_BOMB) ++bombs;
    }
    return std::min(bombs, hud::kSlotCount);
}

struct LevelRun::Shell {
    const ShellBitmaps& bitmaps;
    ShellState state;
    SimIo io;
    int frame = -1;
    bool running = true;
};

LevelRun::LevelRun(const ShellBitmaps& bitmaps, const LevelRecord* records, const std::vector<BombPlacement>& bombs,
                   bool drawing)
    : shell_(new Shell{bitmaps, {}, {}}) {
    EditMode = true;  // every level begins in edit mode
    shell_->state.drawing = drawing;
    StartLevel(shell_->state, records);
    const size_t placeable = std::min(BombList.size(), static_cast<size_t>(hud::kSlotCount));
    for (size_t k = 0; k < bombs.size() && k < placeable; ++k) PlaceInventoryBomb(static_cast<int>(k), bombs[k].x, bombs[k].y, bombs[k].fuse);
    for (cObject* o : ObjectList) {
        if (o->Kind() == KIND_HAMSTER || o->Kind() == KIND_HAMSTER_FAST) hamsters_.push_back(static_cast<cPlayer*>(o));
    }
}

LevelRun::~LevelRun() {
    DestroyWorldObjects();
    SelectedBomb = nullptr;
    EditMode = true;
}

bool LevelRun::Next() {
    Shell& s = *shell_;
    if (!s.running) return false;
    s.running = RunFrame(s.state, s.bitmaps, s.io);
    s.frame += 1;
    return s.running;
}

int LevelRun::Frame() const { return shell_->frame; }
bool LevelRun::Complete() const { return shell_->state.levelComplete; }
void LevelRun::SetDrawing(bool drawing) { shell_->state.drawing = drawing; }
BITMAP* LevelRun::Picture() const { return shell_->bitmaps.backBuffer.get(); }
