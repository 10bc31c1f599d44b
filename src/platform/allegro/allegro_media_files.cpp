#include "game/media_files.h"
#include "platform/allegro/allegro_picture.h"

Picture* NewPicture(int w, int h) { return AsPicture(create_bitmap(w, h)); }
Picture* ReadPicture(const char* file) { return AsPicture(load_bitmap(file, nullptr)); }
void FreePicture(Picture* picture) { destroy_bitmap(Bitmap(picture)); }
Sound* ReadSound(const char* file) { return AsSound(load_wav(file)); }
void FreeSound(Sound* sound) { destroy_sample(SampleOf(sound)); }
