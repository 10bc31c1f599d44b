#include "bench_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/assets.h"
#include "platform/allegro/allegro_start.h"

namespace {
// Loaded once for the whole program, as the game loads them once.
Assets* bitmaps = nullptr;
}

void StartBenchHeadless() {
    if (bitmaps) return;
    std::string error;
    if (!StartHeadlessAllegro(error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::exit(1);
    }
    if (chdir(ZANDROVE_ASSET_DIR) != 0) {
        std::perror(ZANDROVE_ASSET_DIR);
        std::exit(1);
    }
    bitmaps = new Assets;
    if (!LoadAssets(*bitmaps, error)) {
        std::fprintf(stderr, "benchmark assets: %s\n", error.c_str());
        std::exit(1);
    }
}

Assets& BenchBitmaps() {
    StartBenchHeadless();
    return *bitmaps;
}
