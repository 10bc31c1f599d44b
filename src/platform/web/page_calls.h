#pragma once
// What the web build asks of its page (web/page/zandrove.js): sounds through
// Web Audio, and the finished picture on the canvas.

// The WAV file at path decoded and kept by the page: its number, or -1.
int PageLoadSound(const char* path);
// frequency 1000 is the sample's own rate; 256 is full volume, pan 128 the centre.
void PagePlaySound(int id, int volume, int pan, int frequency, bool loop);
// Every voice of the sound stops.
void PageStopSound(int id);
// rgba holds 4 * w * h bytes.
void PageShowPicture(const unsigned char* rgba, int w, int h);
