// The asset loader against a private copy of the generated files, some of
// them removed, damaged or replaced. Every test gives the shared set back
// loaded from the build's asset directory, as the other tests expect.
#include <allegro.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "game/asset_files.h"
#include "game/assets.h"
#include "game/drawing.h"
#include "platform/allegro/allegro_picture.h"
#include "sim/play_field.h"
#include "support/headless.h"

namespace {

namespace fs = std::filesystem;

class AssetLoading : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        StartHeadless();
        dir_ = fs::temp_directory_path() / ("zandrove_assets_" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        for (const char* f : kBitmapFiles) fs::copy_file(fs::path(AssetDir()) / f, dir_ / f);
        for (const char* f : kSampleFiles) fs::copy_file(fs::path(AssetDir()) / f, dir_ / f);
    }
    static void TearDownTestSuite() { fs::remove_all(dir_); }

    void SetUp() override {
        // Free the set the other tests use, so a load here starts from nothing.
        ReleaseAssets(HeadlessBitmaps());
        ASSERT_EQ(chdir(dir_.c_str()), 0);
    }
    void TearDown() override {
        ReleaseAssets(trial_);
        ASSERT_EQ(chdir(AssetDir().c_str()), 0);
        std::string error;
        ASSERT_TRUE(LoadAssets(HeadlessBitmaps(), error)) << error;
    }

    static void Restore(const char* file) {
        fs::copy_file(fs::path(AssetDir()) / file, dir_ / file, fs::copy_options::overwrite_existing);
    }

    // Writes a picture whose horizontal bands of the given height take the
    // colours 1, 2, 3, ... of Colour(i); columns from `width` on are white.
    static void WriteBands(const char* file, int w, int h, int band, int width) {
        BITMAP* b = create_bitmap(w, h);
        clear_to_color(b, makecol(255, 255, 255));
        for (int i = 0; i * band < h; ++i) rectfill(b, 0, i * band, width - 1, i * band + band - 1, Colour(i));
        PALETTE pal;
        get_palette(pal);
        ASSERT_EQ(save_bmp(file, b, pal), 0) << file;
        destroy_bitmap(b);
    }
    static int Colour(int i) { return makecol(20 + 15 * i, 200 - 10 * i, 40 + 7 * i); }

    bool Loads(std::string& error) { return LoadAssets(trial_, error); }

    Assets trial_;
    static fs::path dir_;
};

fs::path AssetLoading::dir_;

// Fails naming the first handle that still holds something.
::testing::AssertionResult NothingLoaded(const Assets& b) {
    const Picture* const held[] = {
        b.backBuffer.get(),  b.background.get(),   b.hud.get(),         b.cursor.get(),        b.complete.get(),
        b.block.get(),       b.brick.get(),        b.slider.get(),      b.hamsterIdle.get(),   b.hamsterAware.get(),
        b.hamsterSpin.get(), b.hamsterCrater.get(), b.redBomb.get(),    b.blueBomb.get()};
    for (size_t i = 0; i < std::size(held); ++i)
        if (held[i]) return ::testing::AssertionFailure() << "bitmap handle " << i << " still set";
    for (const auto& strip : b.strips)
        for (int i = 0; i < kStripFrames; ++i)
            if (strip[i]) return ::testing::AssertionFailure() << "strip frame " << i << " still set";
    for (int i = 0; i < kTimeGlyphCount; ++i)
        if (b.timeGlyphs[i]) return ::testing::AssertionFailure() << "glyph " << i << " still set";
    for (int i = 0; i < kSoundCount; ++i)
        if (b.sounds[i]) return ::testing::AssertionFailure() << "sound " << i << " still set";
    return ::testing::AssertionSuccess();
}

TEST_F(AssetLoading, LoadsEverythingAndReleasesEverything) {
    std::string error;
    ASSERT_TRUE(Loads(error)) << error;
    EXPECT_EQ(PictureWidth(trial_.backBuffer.get()), kScreenWidth);
    EXPECT_EQ(PictureHeight(trial_.backBuffer.get()), kScreenHeight);
    for (const auto& strip : trial_.strips)
        for (Picture* f : strip) {
            ASSERT_NE(f, nullptr);
            EXPECT_EQ(PictureWidth(f), 16);
            EXPECT_EQ(PictureHeight(f), 16);
        }
    for (Picture* g : trial_.timeGlyphs) {
        ASSERT_NE(g, nullptr);
        EXPECT_EQ(PictureWidth(g), 12);
        EXPECT_EQ(PictureHeight(g), 24);
    }
    // Each sound under the simulation's name for it, from its own file.
    std::vector<std::pair<SoundId, std::string>> named = {
        {SoundId::Explode, "Explode.wav"}, {SoundId::Huh01, "Huh01.wav"}, {SoundId::Huh02, "Huh02.wav"},
        {SoundId::Hiss, "Hiss.wav"}};
    for (int n = 0; n < kScreamCount; ++n)
        named.push_back({Scream(n), (n < 9 ? "Scream0" : "Scream") + std::to_string(n + 1) + ".wav"});
    for (const auto& [id, file] : named) {
        const SAMPLE* loaded = SampleOf(trial_.SoundFor(id));
        ASSERT_NE(loaded, nullptr) << file;
        SAMPLE* own = load_sample(file.c_str());
        ASSERT_NE(own, nullptr) << file;
        const size_t bytes = static_cast<size_t>(own->len) * (own->bits / 8) * (own->stereo ? 2 : 1);
        EXPECT_TRUE(loaded->len == own->len && std::memcmp(loaded->data, own->data, bytes) == 0) << file;
        destroy_sample(own);
    }
    ReleaseAssets(trial_);
    EXPECT_TRUE(NothingLoaded(trial_));
}

TEST_F(AssetLoading, EachMissingFileIsNamedAndNothingStaysLoaded) {
    auto check = [&](const char* file) {
        fs::rename(dir_ / file, dir_ / (std::string(file) + ".away"));
        std::string error;
        EXPECT_FALSE(Loads(error)) << file;
        EXPECT_NE(error.find(std::string("\"") + file + "\""), std::string::npos) << error;
        EXPECT_TRUE(NothingLoaded(trial_)) << file;
        fs::rename(dir_ / (std::string(file) + ".away"), dir_ / file);
    };
    for (const char* file : kBitmapFiles) check(file);
    for (const char* file : kSampleFiles) check(file);
}

TEST_F(AssetLoading, DamagedFilesAreNamed) {
    for (const char* file : {"Block.bmp", "TimeFont.bmp", "Hiss.wav"}) {
        std::ofstream(dir_ / file, std::ios::binary | std::ios::trunc) << "not a picture or a sound";
        std::string error;
        EXPECT_FALSE(Loads(error)) << file;
        EXPECT_NE(error.find(file), std::string::npos) << error;
        EXPECT_TRUE(NothingLoaded(trial_)) << file;
        Restore(file);
    }
}

TEST_F(AssetLoading, RefusesPicturesTooSmallToCopyOrCut) {
    std::string error;
    WriteBands("Flare.bmp", 16, 32, 16, 16);  // two frames of four
    EXPECT_FALSE(Loads(error));
    EXPECT_NE(error.find("\"Flare.bmp\""), std::string::npos) << error;
    EXPECT_NE(error.find("16 x 32"), std::string::npos) << error;
    EXPECT_TRUE(NothingLoaded(trial_));
    Restore("Flare.bmp");

    WriteBands("TimeFont.bmp", 12, 24 * 13, 24, 12);  // one glyph short
    EXPECT_FALSE(Loads(error));
    EXPECT_NE(error.find("\"TimeFont.bmp\""), std::string::npos) << error;
    EXPECT_TRUE(NothingLoaded(trial_));
    Restore("TimeFont.bmp");

    WriteBands("Background.bmp", 320, 240, 240, 320);
    EXPECT_FALSE(Loads(error));
    EXPECT_NE(error.find("\"Background.bmp\""), std::string::npos) << error;
    EXPECT_NE(error.find("640 x 480"), std::string::npos) << error;
    EXPECT_TRUE(NothingLoaded(trial_));
    Restore("Background.bmp");
}

TEST_F(AssetLoading, CutsEachFrameFromItsOwnRowsOfALargerSheet) {
    // Wider and taller than needed: the extra rows and columns are ignored.
    WriteBands("Dust.bmp", 40, 16 * 6, 16, 16);
    WriteBands("TimeFont.bmp", 30, 24 * 16, 24, 12);
    std::string error;
    ASSERT_TRUE(Loads(error)) << error;
    for (int i = 0; i < kStripFrames; ++i) {
        BITMAP* dust = Bitmap(trial_.StripPicture(Strip::Dust, i));
        EXPECT_EQ(getpixel(dust, 0, 0), Colour(i)) << i;
        EXPECT_EQ(getpixel(dust, 15, 15), Colour(i)) << i;
    }
    for (int i = 0; i < kTimeGlyphCount; ++i) {
        EXPECT_EQ(getpixel(Bitmap(trial_.timeGlyphs[i]), 0, 0), Colour(i)) << i;
        EXPECT_EQ(getpixel(Bitmap(trial_.timeGlyphs[i]), 11, 23), Colour(i)) << i;
    }
    Restore("Dust.bmp");
    Restore("TimeFont.bmp");
}

}  // namespace
