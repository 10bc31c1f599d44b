// Stand-in generator: flat pictures and silent sounds of the right sizes.
// To be replaced by the real artwork generator.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "shell/asset_files.h"

namespace {
void Put16(std::vector<uint8_t>& v, uint32_t x) { v.push_back(x & 0xFF); v.push_back((x >> 8) & 0xFF); }
void Put32(std::vector<uint8_t>& v, uint32_t x) { Put16(v, x & 0xFFFF); Put16(v, x >> 16); }

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

std::vector<uint8_t> Bmp(int w, int h) {
    const int row = (w * 3 + 3) & ~3;
    std::vector<uint8_t> v;
    v.push_back('B'); v.push_back('M');
    Put32(v, 54 + row * h); Put32(v, 0); Put32(v, 54);
    Put32(v, 40); Put32(v, w); Put32(v, h); Put16(v, 1); Put16(v, 24); Put32(v, 0);
    Put32(v, row * h); Put32(v, 2835); Put32(v, 2835); Put32(v, 0); Put32(v, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) { v.push_back(80); v.push_back(80); v.push_back(80); }
        for (int p = w * 3; p < row; ++p) v.push_back(0);
    }
    return v;
}

std::vector<uint8_t> Wav(int samples) {
    std::vector<uint8_t> v;
    auto tag = [&](const char* t) { for (int i = 0; i < 4; ++i) v.push_back(t[i]); };
    tag("RIFF"); Put32(v, 36 + samples * 2); tag("WAVE");
    tag("fmt "); Put32(v, 16); Put16(v, 1); Put16(v, 1); Put32(v, 22050); Put32(v, 44100); Put16(v, 2); Put16(v, 16);
    tag("data"); Put32(v, samples * 2);
    for (int i = 0; i < samples * 2; ++i) v.push_back(0);
    return v;
}
}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? std::string(argv[1]) + "/" : "";
    const int sizes[kBitmapFileCount][2] = {{640, 480}, {640, 96}, {16, 16}, {256, 64}, {20, 20}, {20, 20},
                                            {8, 16},   {24, 28}, {24, 28}, {24, 24}, {24, 24}, {24, 24},
                                            {24, 24},  {16, 64}, {16, 64}, {16, 64}, {12, 336}};
    for (int i = 0; i < kBitmapFileCount; ++i)
        if (!WriteFile(dir + kBitmapFiles[i], Bmp(sizes[i][0], sizes[i][1]))) return 1;
    for (int i = 0; i < kSampleFileCount; ++i)
        if (!WriteFile(dir + kSampleFiles[i], Wav(2205))) return 1;
    return 0;
}
