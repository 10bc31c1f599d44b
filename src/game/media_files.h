#pragma once
// Pictures and sounds as the platform keeps them, made and read by the
// platform. Null when a file cannot be read (or memory runs out).
struct Picture;
struct Sound;

Picture* NewPicture(int w, int h);
Picture* ReadPicture(const char* file);
void FreePicture(Picture* picture);
Sound* ReadSound(const char* file);
void FreeSound(Sound* sound);
