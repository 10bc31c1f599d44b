#include "game/drawn_run.h"

#include "game/assets.h"
#include "game/input.h"
#include "game/keys.h"
#include "sim/play_field.h"
#include "sim/player.h"

void DrawnRun::HandsOff::Sample(InputSample& s) {
    s.mouseX = kScreenWidth;
    s.mouseY = kScreenHeight;
    s.buttons = 0;
    s.keys[kKeySpace] = presented == 0;
}

DrawnRun::DrawnRun(const LevelRecord* records, const std::vector<BombPlacement>& bombs, const Assets& assets)
    : assets_(assets) {
    StartLevel(state_, records);
    PlaceInOrder(state_.world, bombs);
    for (cObject* o : state_.world.ObjectList) {
        if (o->Kind() == KIND_HAMSTER || o->Kind() == KIND_HAMSTER_FAST) hamsters_.push_back(static_cast<cPlayer*>(o));
    }
}

bool DrawnRun::Next() {
    if (!running_) return false;
    running_ = RunFrame(state_, assets_, io_);
    frame_ += 1;
    return running_;
}

Picture* DrawnRun::LastPicture() const { return assets_.backBuffer.get(); }
