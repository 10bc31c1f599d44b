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
    FrameIo* player = nullptr;  // this frame's
    bool stopped = false;

    void Sample(InputSample& s) override {
        InputSample real;
        player->Sample(real);
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
        player->Present(frame);
    }
    void PresentUnchanged(Picture* frame) override {
        ++presented_;
        player->PresentUnchanged(frame);
    }
    void PlaySound(Sound* sound, int frequency, bool loop) override { player->PlaySound(sound, frequency, loop); }
    void StopSound(Sound* sound) override { player->StopSound(sound); }
    bool CloseRequested() override { return player->CloseRequested(); }

private:
    int presented_ = 0;
    bool stopHeld_ = true;  // an Esc held as the watch starts is no stop
};

}  // namespace

struct WatchSession::Play {
    GameState state;
    WatchIo io;
    RunRecorder recorder;
    int frame = 0;
    int frameLimit = 0;
    bool over = false;
};

WatchSession::WatchSession(const LevelRecord* records, const RunResult& run, int frameLimit)
    : play_(std::make_unique<Play>()) {
    StartLevel(play_->state, records);
    for (const BombPlacement& b : run.bombs) Place(play_->state.world, b);
    play_->recorder.LevelStarted();
    play_->frameLimit = frameLimit;
}

WatchSession::~WatchSession() = default;

bool WatchSession::Frame(const Assets& assets, FrameIo& io) {
    Play& p = *play_;
    if (p.over) return false;
    p.io.player = &io;
    const bool goOn = RunFrame(p.state, assets, p.io);
    RunResult result;
    bool over = false;
    if (p.recorder.AfterFrame(p.state.world, result)) {
        end_.frame = result.frame;
        over = true;
    } else {
        end_.quit = p.state.quitRequested;
        over = !goOn || p.io.stopped || ++p.frame > p.frameLimit + 1;
    }
    if (over) {
        p.over = true;
        StopHiss(p.state, assets, io);
    }
    return !over;
}

WatchEnd WatchRun(const LevelRecord* records, const RunResult& run, const Assets& assets, FrameIo& io,
                  int frameLimit) {
    WatchSession watch(records, run, frameLimit);
    while (watch.Frame(assets, io)) {
    }
    return watch.End();
}
