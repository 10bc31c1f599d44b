#include "bench_support.h"

#include <allegro.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/allegro/allegro_presentation.h"
#include "game/assets.h"

namespace {
ShellBitmaps* bitmaps = nullptr;
}

void StartBenchHeadless() {
    if (bitmaps) return;
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "cannot start Allegro without a display: %s\n", allegro_error);
        std::exit(1);
    }
    set_color_depth(16);
    if (chdir(ZANDROVE_ASSET_DIR) != 0) {
        std::perror(ZANDROVE_ASSET_DIR);
        std::exit(1);
    }
    bitmaps = new ShellBitmaps;
    std::string error;
    if (!LoadAssets(*bitmaps, error)) {
        std::fprintf(stderr, "benchmark assets: %s\n", error.c_str());
        std::exit(1);
    }
    static AllegroPresentation presentation;  // drawn frames show the objects, as in the game
    ActivePresentation = &presentation;
}

ShellBitmaps& BenchBitmaps() {
    StartBenchHeadless();
    return *bitmaps;
}
