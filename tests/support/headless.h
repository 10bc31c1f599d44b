#pragma once
// Allegro without a display: 16-bit colour, memory bitmaps, no drivers, and
// the generated assets loaded from the build's asset directory.
#include <string>

struct Assets;

// Idempotent; aborts the test run if the assets cannot be loaded.
void StartHeadless();
Assets& HeadlessBitmaps();
// Where the build wrote the generated assets.
std::string AssetDir();
