#pragma once
// Start-up and shutdown of Allegro, shared by the game, its designer and the
// tools; the window itself is opened by GameWindow (game_window.h).
#include <string>

class GameWindow;

// One line on stderr, as the game says everything it says there.
void Say(const std::string& line);
// Allegro, the quit signals, keyboard, mouse, sound (or silence) and the
// window's title. False with the reason in error; then StopAllegro.
bool StartAllegro(std::string& error);
// Allegro with no display and no drivers, in the game's 16-bit colour: the
// pictures of a tool or a test, drawn in memory. False with the reason.
bool StartHeadlessAllegro(std::string& error);
// The quit signals released and Allegro shut down. Harmless when nothing started.
void StopAllegro();
// The window at a scale (1 to 4, or auto: the largest that fits the desktop)
// or full screen. False with the reason; a note on stderr when full screen
// could not be had and a window was opened instead.
bool OpenWindow(GameWindow& window, int scale, bool fullscreen, std::string& error);
// The window's scale from now on (1 to 4, or auto), as OpenWindow takes it.
bool RescaleWindow(GameWindow& window, int scale, std::string& error);
// All sound off, or on again.
void SetMuted(bool mute);
