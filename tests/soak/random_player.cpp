#include "random_player.h"

#include "game/asset_files.h"
#include "game/keys.h"
#include "sim/bomb.h"
#include "sim/world.h"

namespace {
const int kTapKeys[] = {kKeySpace,  kKeyEsc,      kKeyUp,        kKeyDown,   kKeyLeft,   kKeyRight,
                        kKeyEquals, kKeyMinus,    kKeyPlusPad,   kKeyMinusPad, KeyDigit(1), KeyDigit(2),
                        KeyDigit(3), KeyDigit(4), KeyDigit(5),   KeyLetter('A')};
}  // namespace

void RandomPlayer::Sample(InputSample& s) {
    if (queued_.empty() && gesture_.empty()) NextGesture();
    std::deque<HeldInput>& from = queued_.empty() ? gesture_ : queued_;
    last_ = from.front();
    from.pop_front();
    s.mouseX = last_.mouseX;
    s.mouseY = last_.mouseY;
    s.buttons = last_.buttons;
    if (last_.key >= 0) s.keys[last_.key] = true;
}

void RandomPlayer::LetGo() {
    queued_.clear();
    gesture_.clear();
    last_.buttons = 0;
    last_.key = -1;
}

void RandomPlayer::Press(int buttons, int x, int y, int frames) {
    for (int i = 0; i < frames; ++i) gesture_.push_back({x, y, buttons, -1});
    gesture_.push_back({x, y, 0, -1});
}

void RandomPlayer::Drag(int button, int fromX, int fromY, int toX, int toY, int frames) {
    for (int i = 0; i <= frames; ++i)
        gesture_.push_back({fromX + (toX - fromX) * i / frames, fromY + (toY - fromY) * i / frames, button, -1});
    gesture_.push_back({toX, toY, 0, -1});
}

void RandomPlayer::Tap(int key, int frames) {
    for (int i = 0; i < frames; ++i) gesture_.push_back({last_.mouseX, last_.mouseY, 0, key});
    gesture_.push_back({last_.mouseX, last_.mouseY, 0, -1});
}

void RandomPlayer::HudClick(int x, int y) { Press(kLeftButton, x, kEditHudTop + y, Uniform(1, 3)); }

void RandomPlayer::BombPoint(int& x, int& y) {
    x = Uniform(0, kScreenWidth - 1);
    y = Uniform(0, kEditHudTop - 1);
    if (!world_) return;
    int placed = 0;
    for (size_t i = 0; i < world_->BombList.size(); ++i) placed += world_->BombPlaced[i];
    if (placed == 0) return;
    int pick = Uniform(0, placed - 1);
    for (size_t i = 0; i < world_->BombList.size(); ++i) {
        if (!world_->BombPlaced[i] || pick-- != 0) continue;
        x = world_->BombList[i]->x.Whole() + Uniform(-11, 11);
        y = world_->BombList[i]->y.Whole() + Uniform(-11, 11);
        return;
    }
}

void RandomPlayer::NextGesture() {
    // Every number is drawn here, in this order, and then only mapped into
    // its range: the order in which a call's arguments are evaluated differs
    // between compilers, and the same seed must give the same game everywhere.
    const int x = Uniform(0, kScreenWidth - 1);
    const int y = Uniform(0, kScreenHeight - 1);
    const int roll = Uniform(0, 999);
    const int a = Uniform(0, 1 << 20), b = Uniform(0, 1 << 20), c = Uniform(0, 1 << 20), d = Uniform(0, 1 << 20);
    auto in = [](int v, int lo, int hi) { return lo + v % (hi - lo + 1); };
    if (roll < 150) {  // wait and watch
        const int frames = in(a, 1, 240);
        for (int i = 0; i < frames; ++i) gesture_.push_back({last_.mouseX, last_.mouseY, 0, -1});
    } else if (roll < 230) {
        gesture_.push_back({x, y, 0, -1});
    } else if (roll < 330) {  // an inventory slot, sometimes just beside it
        HudClick(104 + 40 * in(a, 0, 5) + in(b, 0, 33), in(c, 7, 41));
    } else if (roll < 420) {  // the fuse controls: minus, plus, the slider
        switch (in(a, 0, 2)) {
            case 0: HudClick(in(b, 360, 377), in(c, 15, 33)); break;
            case 1: HudClick(in(b, 472, 489), in(c, 15, 33)); break;
            default:
                Drag(kLeftButton, in(b, 384, 463), kEditHudTop + 24, in(c, 370, 480), kEditHudTop + 24, in(d, 2, 30));
        }
    } else if (roll < 470) {  // the mode button
        HudClick(in(a, 8, 41), in(b, 8, 41));
    } else if (roll < 472) {  // the restart button, rarely
        HudClick(in(a, 586, 633), in(b, 9, 40));
    } else if (roll < 473) {  // quit, more rarely still
        Tap(kKeyF10, 1);
    } else if (roll < 600) {  // move a bomb
        int fx, fy;
        BombPoint(fx, fy);
        Drag(kLeftButton, fx, fy, x, in(a, 0, kEditHudTop - 1), in(b, 1, 60));
    } else if (roll < 660) {  // drag a fuse out of a bomb
        int fx, fy;
        BombPoint(fx, fy);
        Drag(kRightButton, fx, fy, fx + in(a, -120, 120), fy + in(b, -120, 120), in(c, 2, 40));
    } else if (roll < 720) {  // click somewhere, either button
        Press(in(a, 0, 3) == 0 ? kRightButton : kLeftButton, x, y, in(b, 1, 4));
    } else if (roll < 740) {  // both buttons at once
        Press(kLeftButton | kRightButton, x, y, in(a, 1, 20));
    } else if (roll < 960) {
        const int key = kTapKeys[in(a, 0, static_cast<int>(std::size(kTapKeys)) - 1)];
        Tap(key, in(b, 0, 9) == 0 ? in(c, 20, 200) : in(c, 1, 4));
    } else {  // run: Space, then watch for a while
        Tap(kKeySpace, 1);
        const int frames = in(a, 60, 600);
        for (int i = 0; i < frames; ++i) gesture_.push_back({last_.mouseX, last_.mouseY, 0, -1});
    }
}
