#include "features/watch.h"

#include "features/run_recorder.h"
#include "game/frame_io.h"
#include "game/frame_loop.h"
#include "game/keys.h"
#include "sim/play_field.h"

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
    void Present(Picture* frame) override {
        ++presented_;
        player_.Present(frame);
    }
    void PresentUnchanged(Picture* frame) override {
        ++presented_;
        player_.PresentUnchanged(frame);
    }
    void PlaySound(Sound* sound, int frequency, bool loop) override { player_.PlaySound(sound, frequency, loop); }
    void StopSound(Sound* sound) override { player_.StopSound(sound); }
    bool CloseRequested() override { return player_.CloseRequested(); }

private:
    FrameIo& player_;
    int presented_ = 0;
    bool stopHeld_ = true;  // an Esc held as the watch starts is no stop
};

}  // namespace

WatchEnd WatchRun(const LevelRecord* records, const RunResult& run, const Assets& assets, FrameIo& io,
                  int frameLimit) {
    GameState state;
    StartLevel(state, records);
    for (const BombPlacement& b : run.bombs) Place(state.world, b);
    WatchIo watchIo(io);
    RunRecorder recorder;
    recorder.LevelStarted();
    WatchEnd end;
    for (int frame = 0; frame <= frameLimit + 1; ++frame) {
        const bool goOn = RunFrame(state, assets, watchIo);
        RunResult result;
        if (recorder.AfterFrame(state.world, result)) {
            end.frame = result.frame;
            break;
        }
        end.quit = state.quitRequested;
        if (!goOn || watchIo.stopped) break;
    }
    StopHiss(state, assets, io);
    return end;
}
