#include "support/headless.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "game/assets.h"
#include "platform/allegro/allegro_start.h"

namespace {
// Loaded once for the whole test program, as the game loads them once.
Assets* bitmaps = nullptr;
}

std::string AssetDir() { return ZANDROVE_ASSET_DIR; }

void StartHeadless() {
    if (bitmaps) return;
    std::string error;
    if (!StartHeadlessAllegro(error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::abort();
    }
    if (chdir(ZANDROVE_ASSET_DIR) != 0) {
        std::perror(ZANDROVE_ASSET_DIR);
        std::abort();
    }
    bitmaps = new Assets;
    if (!LoadAssets(*bitmaps, error)) {
        std::fprintf(stderr, "test assets: %s\n", error.c_str());
        std::abort();
    }
}

Assets& HeadlessBitmaps() {
    StartHeadless();
    return *bitmaps;
}
