#include <allegro.h>

#include "game/media_files.h"

BITMAP* NewPicture(int w, int h) { return create_bitmap(w, h); }
BITMAP* ReadPicture(const char* file) { return load_bitmap(file, nullptr); }
void FreePicture(BITMAP* picture) { destroy_bitmap(picture); }
SAMPLE* ReadSound(const char* file) { return load_wav(file); }
void FreeSound(SAMPLE* sound) { destroy_sample(sound); }
