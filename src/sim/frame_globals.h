#pragma once
// Flags and masks that objects raise during a frame and the frame loop reads.
#include <cstdint>

class cBomb;

extern bool EditMode;        // true while the player places bombs
extern bool FuseBurning;     // some fuse burns on the play-field this frame
extern int HamsterCount;     // hamsters built in this level; the next hamster's Id
extern uint32_t ExitMask;    // bit Id set by each hamster counted in an exit this frame
extern cBomb* SelectedBomb;  // the bomb selected in the HUD, or null
