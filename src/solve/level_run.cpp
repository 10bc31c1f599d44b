#include "solve/level_run.h"

#include <algorithm>

#include "sim/level_record.h"
#include "sim/sim_state.h"
#include "sim/world.h"
#include "sim/bomb.h"
#include "sim/play_field.h"
#include "sim/player.h"
#include "platform/allegro/allegro_presentation.h"
#include "game/hud_controls.h"
#include "game/keys.h"
#include "game/assets.h"
#include "game/frame_io.h"
#include "game/frame_loop.h"

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
        s.keys[kKeySpace] = presented == 0;
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
    explicit Shell(const ShellBitmaps& pictures) : bitmaps(pictures) {}
    const ShellBitmaps& bitmaps;
    Presentation* previous = ActivePresentation;
    std::unique_ptr<AllegroPresentation> presentation;  // only while drawn
    ShellState state;
    SimIo io;
    int frame = -1;
    bool running = true;
};

namespace {
const ShellBitmaps kNoPictures;
}  // namespace

LevelRun::LevelRun(const LevelRecord* records, const std::vector<BombPlacement>& bombs)
    : shell_(std::make_unique<Shell>(kNoPictures)) {
    ActivePresentation = nullptr;
    shell_->state.drawing = false;
    Start(records, bombs);
}

LevelRun::LevelRun(const LevelRecord* records, const std::vector<BombPlacement>& bombs, const ShellBitmaps& pictures)
    : shell_(std::make_unique<Shell>(pictures)) {
    shell_->presentation = std::make_unique<AllegroPresentation>();
    ActivePresentation = shell_->presentation.get();
    Start(records, bombs);
}

void LevelRun::Start(const LevelRecord* records, const std::vector<BombPlacement>& bombs) {
    ResetSimulation();  // every level begins in edit mode, whatever ran before
    StartLevel(shell_->state, records);
    const size_t placeable = std::min(BombList.size(), static_cast<size_t>(hud::kSlotCount));
    for (size_t k = 0; k < bombs.size() && k < placeable; ++k)
        PlaceInventoryBomb(static_cast<int>(k), bombs[k].x, bombs[k].y, bombs[k].fuse);
    for (cObject* o : ObjectList) {
        if (o->Kind() == KIND_HAMSTER || o->Kind() == KIND_HAMSTER_FAST) hamsters_.push_back(static_cast<cPlayer*>(o));
    }
}

void LevelRun::Restart(const LevelRecord* records, const std::vector<BombPlacement>& bombs) {
    Shell& s = *shell_;
    const bool drawing = s.state.drawing;
    s.state = ShellState{};
    s.state.drawing = drawing;
    s.io.presented = 0;
    s.frame = -1;
    s.running = true;
    hamsters_.clear();
    Start(records, bombs);
}

LevelRun::~LevelRun() {
    ResetSimulation();
    StopHiss();
    ActivePresentation = shell_->previous;
}

bool LevelRun::Next() {
    Shell& s = *shell_;
    if (!s.running) return false;
    s.running = RunFrame(s.state, s.bitmaps, s.io);
    s.frame += 1;
    return s.running;
}

LevelRun::Saved LevelRun::Save() const {
    return {SimSnapshot::Take(), shell_->state, shell_->frame, shell_->running};
}

bool LevelRun::Restore(const Saved& saved) {
    if (!saved.simulation.Restore()) return false;
    shell_->state = saved.shell;
    shell_->frame = saved.frame;
    shell_->running = saved.running;
    shell_->io.presented = saved.frame + 1;
    return true;
}

bool LevelRun::PlaceLate(int slot, const BombPlacement& placement) {
    if (slot < 0 || static_cast<size_t>(slot) >= BombList.size() || slot >= hud::kSlotCount) return false;
    const int fuse = LimitedFuse(placement.fuse);
    const int elapsed = std::max(shell_->frame, 0);  // frame 0 steps nothing
    if (fuse - elapsed <= 2) return false;
    cBomb& bomb = *BombList[static_cast<size_t>(slot)];
    PlaceInventoryBomb(slot, placement.x, placement.y, fuse);  // selected, as the last bomb placed is
    bomb.Reset();  // at its home with a full fuse and its own box, as any bomb before its blast
    bomb.Count = fuse - elapsed;
    return true;
}

int LevelRun::Frame() const { return shell_->frame; }
bool LevelRun::Complete() const { return shell_->state.levelComplete; }
void LevelRun::SetDrawing(bool drawing) { shell_->state.drawing = drawing; }
BITMAP* LevelRun::Picture() const { return shell_->bitmaps.backBuffer.get(); }
