#pragma once
// The level sequence: every level of LevelTable in order, until the last is
// complete or the player quits.
struct ShellState;
struct ShellBitmaps;
class FrameIo;

void PlayLevels(ShellState& state, const ShellBitmaps& bitmaps, FrameIo& io);
// The same one frame at a time, for a caller that owns the loop (the web
// page's): BeginLevels starts the first level (false: nothing to play), then
// each PlayLevelFrame runs one frame and moves to the next level when one
// ends; false when the game is over.
bool BeginLevels(ShellState& state, FrameIo& io);
bool PlayLevelFrame(ShellState& state, const ShellBitmaps& bitmaps, FrameIo& io);
// Level end: the objects destroyed, the next level chosen, edit mode again.
void EndLevel(ShellState& state);
