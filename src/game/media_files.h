#pragma once
// Pictures and sounds as this build keeps them: Allegro's bitmaps and
// samples on the native game, the game's own on the web. Null when a file
// cannot be read (or memory runs out).
struct BITMAP;
struct SAMPLE;

BITMAP* NewPicture(int w, int h);
BITMAP* ReadPicture(const char* file);
void FreePicture(BITMAP* picture);
SAMPLE* ReadSound(const char* file);
void FreeSound(SAMPLE* sound);
