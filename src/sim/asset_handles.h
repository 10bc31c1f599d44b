#pragma once
// Pictures and sounds shared by the objects, the HUD and the particles.
// The start-up loads them once; they are read-only afterwards. The
// simulation only hands them on (a particle's strip, a sample to play) and
// never looks inside, so they stay null in a run without assets.
struct BITMAP;
struct SAMPLE;

extern BITMAP* BlockBitmap;
extern BITMAP* BrickBitmap;
extern BITMAP* RedBombBitmap;
extern BITMAP* BlueBombBitmap;
extern BITMAP* HamsterIdleBitmap;
extern BITMAP* HamsterAwareBitmap;
extern BITMAP* HamsterSpinBitmap;
extern BITMAP* HamsterCraterBitmap;

constexpr int kStripFrames = 4;
constexpr int kTimeGlyphCount = 14;
extern BITMAP* FlareFrames[kStripFrames];
extern BITMAP* DustFrames[kStripFrames];
extern BITMAP* BrickFrames[kStripFrames];
extern BITMAP* TimeGlyphs[kTimeGlyphCount];

constexpr int kScreamCount = 16;
extern SAMPLE* ExplodeSample;
extern SAMPLE* ScreamSamples[kScreamCount];
extern SAMPLE* Huh01Sample;
extern SAMPLE* Huh02Sample;
extern SAMPLE* HissSample;
