#pragma once
// What the designer's own files share: its input, its drawing, test-play.
#include "design/designer.h"
#include "game/keys.h"

namespace design {

// Where the bar's top edge lies this frame (the screen's height when hidden).
int BarTop(const Designer& d);
bool KeyPressed(const Designer& d, int scancode);  // down now, not in the last frame
// Alt held: things go exactly where the mouse puts them, unsnapped.
inline bool AltHeld(const InputSample& in) { return in.Key(kKeyAlt) || in.Key(kKeyAltGr); }
// A move of v pixels as a selection makes it: with blocks or bricks in it,
// the nearest whole number of cells, so they stay on their grid.
inline int CellSnapped(int v, bool cells) {
    if (!cells) return v;
    return v >= 0 ? (v + kCell / 2) / kCell * kCell : -((-v + kCell / 2) / kCell * kCell);
}

// The design's keys and mouse for one frame.
void HandleDesignInput(Designer& d);
// The bar's tool or command button at a point of the screen, or -1.
int ToolUnder(const Designer& d, int x, int y);
int CommandUnder(const Designer& d, int x, int y);
// A command, from its key or its button.
void RunCommand(Designer& d, Command c);
// The design's whole picture, into the back buffer.
void DrawDesign(Designer& d, const DesignPictures& pictures);

// Test-play of the level shown; the offered solution's bombs placed if any.
void StartTestPlay(Designer& d);
// One frame of test-play through the game's frame. False when test-play ends.
bool TestPlayFrame(Designer& d, const DesignPictures& pictures, FrameIo& io);
// Back to the design, its world built again.
void EndTestPlay(Designer& d, const DesignPictures& pictures, FrameIo& io);

}  // namespace design
