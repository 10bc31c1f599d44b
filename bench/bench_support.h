#pragma once
// Allegro without a display for the benchmarks: 16-bit colour, memory
// bitmaps, and the generated assets loaded from the build's asset directory.
struct Assets;

// Idempotent; exits the program if Allegro or the assets cannot be loaded.
void StartBenchHeadless();
Assets& BenchBitmaps();
