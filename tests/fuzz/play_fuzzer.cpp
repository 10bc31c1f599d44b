// libFuzzer target: the input is a level pack file, read by the game's own
// reader; then each level read (at most 4) is played 600 frames through the
// real frame function, undrawn as the level tools play (fuzz_play.h): the
// bombs placed and the edit-mode input taken from the level's header, then
// run mode. No Allegro start-up and no assets: the frame function draws
// nothing without pictures, and no presentation is installed, so nothing is
// heard either. The world is checked after each level is built and after
// its frames. The inputs are those of the drawn target, zandrove-fuzz-pack.
#include <cstdint>

#include "fuzz_play.h"
#include "input_file.h"
#include "game/assets.h"

namespace {

InputFile* input = nullptr;
const Assets* noPictures = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    input = new InputFile;
    noPictures = new Assets;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PlayPackFile(*input, *noPictures, false, data, size);
    return 0;
}
