#pragma once
// Start-up and shutdown of Allegro and the game's window, shared by the game
// and its designer.
#include <string>

// Allegro, the quit signals, keyboard, mouse, sound (or silence) and the
// 640 x 480 window. False with the reason in error; then CloseGameWindow.
bool OpenGameWindow(std::string& error);
// The quit signals released and Allegro shut down. Harmless when nothing is open.
void CloseGameWindow();
