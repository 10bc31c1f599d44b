#pragma once
// What the web build asks of its page (web/page/zandrove-page.js): sounds
// through Web Audio, the finished picture on the canvas, a line for the
// player, and searches in the page's solver worker.
#include <string>

// The WAV file at path decoded and kept by the page: its number, or -1.
int PageLoadSound(const char* path);
// frequency 1000 is the sample's own rate; 256 is full volume, pan 128 the centre.
void PagePlaySound(int id, int volume, int pan, int frequency, bool loop);
// Every voice of the sound stops.
void PageStopSound(int id);
// rgba holds 4 * w * h bytes.
void PageShowPicture(const unsigned char* rgba, int w, int h);
// One line under the frame (a refused pack); empty clears it.
void PageNotice(const char* line);
// The page fills the screen, or leaves it: false when the browser refuses.
bool PageFullscreen(bool full);

// A search (solve/search_text.h) handed to the solver worker: its number, or
// -1 when no worker could be started.
int PageSolveStart(const char* searchText);
// 0 running, 1 done, 2 failed (the worker could not run it).
int PageSolveState(int search);
long PageSolveAttempts(int search);
// The report's text once done, else empty.
std::string PageSolveReport(int search);
// The worker stops at once (it is ended and a new one is made for the next).
void PageSolveCancel(int search);
