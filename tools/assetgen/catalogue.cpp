#include "catalogue.h"

#include <stdexcept>
#include <string_view>

#include "bmp_writer.h"
#include "ico_writer.h"
#include "pictures.h"
#include "png_writer.h"
#include "game/asset_files.h"
#include "sounds.h"
#include "wav_writer.h"

namespace gen {

namespace {

struct PictureEntry {
    std::string_view file;
    Image (*make)();
    bool opaque;
};

constexpr PictureEntry kPictures[] = {
    {"Background.bmp", MakeBackground, true},
    {"Hud.bmp", MakeHud, true},
    {"Cursor.bmp", MakeCursor, false},
    {"Complete.bmp", MakeComplete, false},
    {"Block.bmp", MakeBlock, false},
    {"Brick.bmp", MakeBrick, false},
    {"Slider.bmp", MakeSlider, false},
    {"HamsterIdle.bmp", MakeHamsterIdle, false},
    {"HamsterAware.bmp", MakeHamsterAware, false},
    {"HamsterSpin.bmp", MakeHamsterSpin, false},
    {"HamsterCrater.bmp", MakeHamsterCrater, false},
    {"RedBomb.bmp", MakeRedBomb, false},
    {"BlueBomb.bmp", MakeBlueBomb, false},
    {"Flare.bmp", MakeFlareSheet, false},
    {"Dust.bmp", MakeDustSheet, false},
    {"Bricks.bmp", MakeBricksSheet, false},
    {"TimeFont.bmp", MakeTimeFont, false},
    {"DesignBar.bmp", MakeDesignBar, true},
};

std::function<std::vector<uint8_t>()> PictureMaker(std::string_view file) {
    for (const PictureEntry& e : kPictures)
        if (e.file == file)
            return [e] {
                const Image img = e.make();
                return EncodeBmp(e.opaque ? ToOpaquePixels(img) : ToMaskedPixels(img));
            };
    throw std::logic_error("no generator for " + std::string(file));
}

std::function<std::vector<double>()> SoundMaker(std::string_view file) {
    if (file == "Explode.wav") return MakeExplode;
    if (file == "Hiss.wav") return MakeHiss;
    // "Scream01.wav" .. "Scream16.wav", "Huh01.wav", "Huh02.wav"
    const auto number = [&](size_t at) { return (file[at] - '0') * 10 + (file[at + 1] - '0') - 1; };
    if (file.starts_with("Scream") && file.size() == 12) {
        const int n = number(6);
        if (n >= 0 && n < 16) return [n] { return MakeScream(n); };
    }
    if (file.starts_with("Huh") && file.size() == 9) {
        const int n = number(3);
        if (n >= 0 && n < 2) return [n] { return MakeHuh(n); };
    }
    throw std::logic_error("no generator for " + std::string(file));
}

}  // namespace

std::vector<AssetMaker> Catalogue() {
    std::vector<AssetMaker> out;
    for (const char* file : kBitmapFiles) out.push_back({file, PictureMaker(file)});
    out.push_back({kDesignBarFile, PictureMaker(kDesignBarFile)});
    for (const char* file : kSampleFiles) {
        auto make = SoundMaker(file);
        out.push_back({file, [make] { return EncodeWav(make()); }});
    }
    return out;
}

std::vector<AssetMaker> IconCatalogue() {
    std::vector<AssetMaker> out;
    for (int size : {48, 128, 256}) {
        const std::string side = std::to_string(size);
        out.push_back({side + "x" + side + "/apps/zandrove.png", [size] { return EncodePng(MakeIcon(size)); }});
    }
    // The web page's, beside them; not installed with the theme's icons.
    out.push_back({"favicon.ico", [] {
                       std::vector<std::pair<int, std::vector<uint8_t>>> sized;
                       for (int size : {16, 32, 48}) sized.emplace_back(size, EncodePng(MakeIcon(size)));
                       return EncodeIco(sized);
                   }});
    return out;
}

}  // namespace gen
