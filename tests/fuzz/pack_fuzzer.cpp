// libFuzzer target, the drawn one: the input is a level pack file. It is
// read by the game's own reader, then every level read (up to a cap) is
// built and played through the real frame function with every frame drawn
// (fuzz_play.h): the drawing code and the assets take part, at tens of
// inputs a second. zandrove-fuzz-play plays the same inputs undrawn, some
// hundred times faster; this one is for short runs.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_play.h"
#include "input_file.h"
#include "game/assets.h"
#include "platform/allegro/allegro_start.h"

namespace {

InputFile* input = nullptr;
Assets* bitmaps = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string error;
    if (!StartHeadlessAllegro(error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::exit(1);
    }
    // The assets are opened by bare name from their directory; libFuzzer's
    // corpus paths are relative to where it was started, so come back.
    const char* assets = std::getenv("ZANDROVE_ASSET_DIR");
    if (!assets) assets = ZANDROVE_ASSET_DIR;
    char* started = get_current_dir_name();
    if (!started || chdir(assets) != 0) {
        std::perror(assets);
        std::exit(1);
    }
    bitmaps = new Assets;
    if (!LoadAssets(*bitmaps, error)) {
        std::fprintf(stderr, "fuzz assets: %s\n", error.c_str());
        std::exit(1);
    }
    if (chdir(started) != 0) {
        std::perror(started);
        std::exit(1);
    }
    std::free(started);
    input = new InputFile;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PlayPackFile(*input, *bitmaps, true, data, size);
    return 0;
}
