#pragma once
// The frame's link to the player: where its input comes from, where the
// finished picture goes, and where its sounds are heard. The live game reads
// the platform's mouse and keyboard, shows the window and plays the
// samples; tests script the input and skip the showing.
struct InputSample;
struct Picture;
struct Sound;

class FrameIo {
public:
    virtual ~FrameIo() = default;
    // Fills the mouse position, the buttons held (Allegro mouse_b bits) and
    // the keys held now; the frame works out presses and releases itself.
    virtual void Sample(InputSample& sample) = 0;
    // Shows the finished frame and waits for the next one's turn.
    virtual void Present(Picture* frame) = 0;
    // The frame is the very picture presented last (it was not even drawn
    // again): only its turn is waited for.
    virtual void PresentUnchanged(Picture* frame) { Present(frame); }
    // A sample started at full volume, centred; frequency 1000 is its own
    // rate. A looping one plays until stopped.
    virtual void PlaySound(Sound* sound, int frequency, bool loop) { (void)sound, (void)frequency, (void)loop; }
    virtual void StopSound(Sound* sound) { (void)sound; }
    // The window's title from now on (the player's edition names the level
    // in play); the game's own title is set once by the platform.
    virtual void ShowTitle(const char* title) { (void)title; }
    // The player asked to quit other than with F10 (the window's close button).
    virtual bool CloseRequested() { return false; }
    // Quit asked for before the first frame: F10 held or the window closed.
    virtual bool QuitHeld() { return CloseRequested(); }
    // The close request came from a signal (Ctrl-C, SIGTERM): it is to be
    // obeyed at once, not questioned.
    virtual bool QuitSignalled() { return false; }
    // A close request that was answered with a question is forgotten, so
    // that the close button can be clicked again. A signal's stays.
    virtual void ForgetCloseRequest() {}
};
