#include "support/headless.h"

#include <allegro.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "game/assets.h"

namespace {
ShellBitmaps* bitmaps = nullptr;
}

std::string AssetDir() { return ZANDROVE_ASSET_DIR; }

void StartHeadless() {
    if (bitmaps) return;
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "cannot start Allegro without a display: %s\n", allegro_error);
        std::abort();
    }
    set_color_depth(16);
    if (chdir(ZANDROVE_ASSET_DIR) != 0) {
        std::perror(ZANDROVE_ASSET_DIR);
        std::abort();
    }
    bitmaps = new ShellBitmaps;
    std::string error;
    if (!LoadAssets(*bitmaps, error)) {
        std::fprintf(stderr, "test assets: %s\n", error.c_str());
        std::abort();
    }
}

ShellBitmaps& HeadlessBitmaps() {
    StartHeadless();
    return *bitmaps;
}
