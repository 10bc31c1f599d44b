#pragma once
// On the native game a picture is an Allegro bitmap and a sound an Allegro
// sample: the handles above the platform are these very pointers.
#include <allegro.h>

struct Picture;
struct Sound;

inline BITMAP* Bitmap(Picture* picture) { return reinterpret_cast<BITMAP*>(picture); }
inline Picture* AsPicture(BITMAP* bitmap) { return reinterpret_cast<Picture*>(bitmap); }
inline SAMPLE* SampleOf(Sound* sound) { return reinterpret_cast<SAMPLE*>(sound); }
inline Sound* AsSound(SAMPLE* sample) { return reinterpret_cast<Sound*>(sample); }
