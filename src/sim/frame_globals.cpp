#include "sim/frame_globals.h"

bool EditMode = true;
bool FuseBurning = false;
int HamsterCount = 0;
uint32_t ExitMask = 0;
cBomb* SelectedBomb = nullptr;
