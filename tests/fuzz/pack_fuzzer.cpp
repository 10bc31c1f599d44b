// libFuzzer target: the input is a level pack file. It is read by the game's
// own reader, then every level read (up to a cap) is built and played through
// the real frame function: a few frames of edit-mode input, bombs placed as
// the HUD places them, and run mode up to a frame cap.
//
// The two headers of a pack are skipped unread by the game, so this target
// takes its play instructions from each level's 128-byte header; the fuzzer
// mutates them along with the records:
//   byte 0             number of bombs to place (mod 6)
//   bytes 1 + 6k ...   bomb k: x, y, fuse, int16 little-endian each
//   byte 31            number of edit-mode input frames (mod 17)
//   bytes 32 + 6i ...  frame i: mouse x, mouse y (int16), buttons, key scancode
#include <allegro.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_play.h"
#include "levels/level_table.h"
#include "play/allegro_presentation.h"
#include "shell/assets.h"

namespace {

int packFd = -1;
std::string packPath;
ShellBitmaps* bitmaps = nullptr;

// The input becomes a file the reader opens by path, in memory: nothing is
// left on disk and no two fuzzing processes share a name.
bool WritePack(const uint8_t* data, size_t size) {
    if (ftruncate(packFd, 0) != 0 || lseek(packFd, 0, SEEK_SET) != 0) return false;
    while (size > 0) {
        const ssize_t n = write(packFd, data, size);
        if (n <= 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "cannot start Allegro without a display: %s\n", allegro_error);
        std::exit(1);
    }
    set_color_depth(16);
    // The assets are opened by bare name from their directory; libFuzzer's
    // corpus paths are relative to where it was started, so come back.
    const char* assets = std::getenv("ZANDROVE_ASSET_DIR");
    if (!assets) assets = ZANDROVE_ASSET_DIR;
    char* started = get_current_dir_name();
    if (!started || chdir(assets) != 0) {
        std::perror(assets);
        std::exit(1);
    }
    bitmaps = new ShellBitmaps;
    std::string error;
    if (!LoadAssets(*bitmaps, error)) {
        std::fprintf(stderr, "fuzz assets: %s\n", error.c_str());
        std::exit(1);
    }
    static AllegroPresentation presentation;  // the objects drawn as the game draws them
    ActivePresentation = &presentation;
    if (chdir(started) != 0) {
        std::perror(started);
        std::exit(1);
    }
    std::free(started);
    packFd = memfd_create("zandrove-pack", 0);
    if (packFd < 0) {
        std::perror("memfd_create");
        std::exit(1);
    }
    packPath = "/proc/self/fd/" + std::to_string(packFd);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!WritePack(data, size)) std::abort();
    LoadLevelPack(packPath.c_str());
    PlayPackLevels(*bitmaps, data, size);
    FreeLevelPack();
    return 0;
}
