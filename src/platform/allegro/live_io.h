#pragma once
// The live game's input and output: Allegro's mouse and keyboard, the window
// with its close button, and a 60-frames-a-second pace.
#include "game/frame_io.h"
#include "platform/allegro/frame_pacer.h"

class GameWindow;

constexpr int kFramesPerSecond = 60;

// Ctrl-C and a polite kill (SIGINT, SIGTERM), Ctrl-\ (SIGQUIT) and a closed
// terminal (SIGHUP) ask the game to quit as the close button does. Caught
// from right after allegro_init, whose own handlers would shut Allegro down
// under the loading or playing game, until just before allegro_exit. Release
// is harmless when nothing is caught.
void CatchQuitSignals();
void ReleaseQuitSignals();
// The same request as such a signal, from the program itself (the display
// went away): to be obeyed at once.
void QuitAtOnce();

class LiveIo : public FrameIo {
public:
    // Needs the window open. Installs the close button handler and the pacer.
    LiveIo();
    ~LiveIo() override;
    LiveIo(const LiveIo&) = delete;
    LiveIo& operator=(const LiveIo&) = delete;

    void Sample(InputSample& sample) override;
    void Present(Picture* frame) override;
    // The window keeps showing the picture (Allegro redraws it when it is
    // uncovered): only the frame's turn is waited for. After a change of the
    // screen's mode, which left it black, the picture is shown again.
    void PresentUnchanged(Picture* frame) override;
    void PlaySound(Sound* sound, int frequency, bool loop) override;
    void StopSound(Sound* sound) override;
    bool CloseRequested() override;
    bool QuitSignalled() override;
    void ForgetCloseRequest() override;
    bool QuitHeld() override;
    void ShowTitle(const char* title) override;

    // Every sample from now on at this volume, 0 to 100 (the player's setting).
    void SetVolume(int percent);

    // Frames shown through the window's scale, the mouse mapped back; null
    // (the default): straight onto the 640 x 480 screen.
    void ShowIn(GameWindow* window) { window_ = window; }

private:
    FramePacer pacer_;
    GameWindow* window_ = nullptr;
    int lastWheel_ = 0;
    int volume_ = 256;  // Allegro's, of 256
};
