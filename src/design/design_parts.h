#pragma once
// What the designer's own files share: its input, its drawing, test-play.
#include "design/designer.h"

namespace design {

// Where the bar's top edge lies this frame (the screen's height when hidden).
int BarTop(const Designer& d);
bool KeyPressed(const Designer& d, int scancode);  // down now, not in the last frame

// The design's keys and mouse for one frame.
void HandleDesignInput(Designer& d);
// The design's whole picture, into the back buffer.
void DrawDesign(Designer& d, const DesignPictures& pictures);

// Test-play of the level shown; the offered solution's bombs placed if any.
void StartTestPlay(Designer& d);
// One frame of test-play through the game's frame. False when test-play ends.
bool TestPlayFrame(Designer& d, const DesignPictures& pictures, FrameIo& io);
// Back to the design, its world built again.
void EndTestPlay(Designer& d, const DesignPictures& pictures, FrameIo& io);

}  // namespace design
