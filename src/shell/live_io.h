#pragma once
// The live game's input and output: Allegro's mouse and keyboard, the window
// with its close button, and a 60-frames-a-second pace.
#include "shell/frame_io.h"
#include "shell/frame_pacer.h"

constexpr int kFramesPerSecond = 60;

class LiveIo : public FrameIo {
public:
    // Needs the window open. Installs the close button handler and the pacer.
    LiveIo();
    ~LiveIo() override;
    LiveIo(const LiveIo&) = delete;
    LiveIo& operator=(const LiveIo&) = delete;

    void Sample(InputSample& sample) override;
    void Present(BITMAP* frame) override;
    bool CloseRequested() override;
    bool QuitHeld() override;

private:
    FramePacer pacer_;
};
