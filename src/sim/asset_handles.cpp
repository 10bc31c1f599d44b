#include "sim/asset_handles.h"

BITMAP* BlockBitmap = nullptr;
BITMAP* BrickBitmap = nullptr;
BITMAP* RedBombBitmap = nullptr;
BITMAP* BlueBombBitmap = nullptr;
BITMAP* HamsterIdleBitmap = nullptr;
BITMAP* HamsterAwareBitmap = nullptr;
BITMAP* HamsterSpinBitmap = nullptr;
BITMAP* HamsterCraterBitmap = nullptr;
BITMAP* FlareFrames[kStripFrames] = {};
BITMAP* DustFrames[kStripFrames] = {};
BITMAP* BrickFrames[kStripFrames] = {};
BITMAP* TimeGlyphs[kTimeGlyphCount] = {};
SAMPLE* ExplodeSample = nullptr;
SAMPLE* ScreamSamples[kScreamCount] = {};
SAMPLE* Huh01Sample = nullptr;
SAMPLE* Huh02Sample = nullptr;
SAMPLE* HissSample = nullptr;
