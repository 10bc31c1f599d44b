#include "features/watch.h"

#include "sim/world.h"
#include "sim/frame_globals.h"
#include "sim/play_field.h"
#include "game/hud_controls.h"
#include "game/keys.h"
#include "features/run_recorder.h"
#include "game/frame_io.h"
#include "game/frame_loop.h"

namespace {

// Space in the first frame and nothing after, as zandrove-sim plays; the
// cursor waits beyond the play-field. The player's Esc or F10 stop it.
class WatchIo : public FrameIo {
public:
    explicit WatchIo(FrameIo& player) : player_(player) {}
    bool stopped = false;

    void Sample(InputSample& s) override {
        InputSample real;
        player_.Sample(real);
        const bool stop = real.Key(kKeyEsc);
        stopped = stopped || (stop && !stopHeld_);
        stopHeld_ = stop;
        s.mouseX = kScreenWidth;
        s.mouseY = kScreenHeight;
        s.buttons = 0;
        s.keys.reset();
        s.keys[kKeySpace] = presented_ == 0;
        s.keys[kKeyF10] = real.Key(kKeyF10);  // quits the game as ever
    }
    void Present(BITMAP* frame) override {
        ++presented_;
        player_.Present(frame);
    }
    void PresentUnchanged(BITMAP* frame) override {
        ++presented_;
        player_.PresentUnchanged(frame);
    }
    bool CloseRequested() override { return player_.CloseRequested(); }

private:
    FrameIo& player_;
    int presented_ = 0;
    bool stopHeld_ = true;  // an Esc held as the watch starts is no stop
};

void ClearWorld() {
    DestroyWorldObjects();
    SelectedBomb = nullptr;
    EditMode = true;
    StopHiss();
}

}  // namespace

WatchEnd WatchRun(const LevelRecord* records, const RunResult& run, const ShellBitmaps& bitmaps, FrameIo& io,
                  int frameLimit) {
    ClearWorld();
    ShellState state;
    StartLevel(state, records);
    for (const RecordedBomb& b : run.bombs) {
        if (b.slot >= 0 && static_cast<size_t>(b.slot) < BombList.size() && b.slot < hud::kSlotCount)
            PlaceInventoryBomb(b.slot, static_cast<short>(b.x), static_cast<short>(b.y), b.fuse);
    }
    WatchIo watchIo(io);
    RunRecorder recorder;
    recorder.LevelStarted();
    WatchEnd end;
    for (int frame = 0; frame <= frameLimit + 1; ++frame) {
        const bool goOn = RunFrame(state, bitmaps, watchIo);
        RunResult result;
        if (recorder.AfterFrame(state.levelComplete, result)) {
            end.frame = result.frame;
            break;
        }
        end.quit = state.quitRequested;
        if (!goOn || watchIo.stopped) break;
    }
    ClearWorld();
    return end;
}
