#pragma once
// The level sequence: every level of LevelTable in order, until the last is
// complete or the player quits.
struct ShellState;
struct ShellBitmaps;
class FrameIo;

void PlayLevels(ShellState& state, const ShellBitmaps& bitmaps, FrameIo& io);
// Level end: the objects destroyed, the next level chosen, edit mode again.
void EndLevel(ShellState& state);
