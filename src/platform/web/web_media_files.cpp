// The asset files read from the page's packaged files.
#include <fstream>
#include <iterator>
#include <new>
#include <string>
#include <vector>

#include "game/media_files.h"
#include "platform/web/page_calls.h"
#include "platform/web/web_media.h"

Picture* NewPicture(int w, int h) { return new (std::nothrow) Picture(w, h); }

Picture* ReadPicture(const char* file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return nullptr;
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    auto* picture = new (std::nothrow) Picture;
    std::string error;
    if (picture && DecodeBmp(bytes, *picture, error)) return picture;
    delete picture;
    return nullptr;
}

void FreePicture(Picture* picture) { delete picture; }

Sound* ReadSound(const char* file) {
    const int id = PageLoadSound(file);
    return id < 0 ? nullptr : new (std::nothrow) Sound{id};
}

void FreeSound(Sound* sound) { delete sound; }
