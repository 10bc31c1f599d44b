#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "game/asset_files.h"
#include "support/headless.h"

namespace {

namespace fs = std::filesystem;

const std::string kGenerator = ZANDROVE_BIN_DIR "/zandrove-assetgen";

struct Result {
    int status;
    std::string output;
};

// Runs the generator with the given argument text, capturing what it prints.
Result RunGenerator(const std::string& arguments) {
    const std::string command = "'" + kGenerator + "' " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {-1, "cannot start " + command};
    std::string output;
    char buffer[256];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class AssetGenerator : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / ("zandrove_assetgen_" + std::to_string(getpid()) + "_" + info->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

std::set<std::string> GameFiles() {
    std::set<std::string> files(std::begin(kBitmapFiles), std::end(kBitmapFiles));
    files.insert(std::begin(kSampleFiles), std::end(kSampleFiles));
    files.insert(kDesignBarFile);
    return files;
}

// Width, height, bit depth and colour type from a PNG's header chunk.
std::string PngHeader(const std::string& bytes) {
    if (bytes.size() < 33 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 || bytes.compare(12, 4, "IHDR") != 0)
        return "not a PNG";
    auto u32 = [&](size_t at) {
        uint32_t v = 0;
        for (size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
        return v;
    };
    return std::to_string(u32(16)) + "x" + std::to_string(u32(20)) + " depth " + std::to_string(bytes[24]) +
           " colour type " + std::to_string(bytes[25]);
}

TEST_F(AssetGenerator, WritesTheSameBytesEveryRun) {
    const fs::path first = dir_ / "first", second = dir_ / "second";
    ASSERT_EQ(RunGenerator("'" + first.string() + "' '" + (dir_ / "icons1").string() + "'").status, 0);
    ASSERT_EQ(RunGenerator("'" + second.string() + "' '" + (dir_ / "icons2").string() + "'").status, 0);
    // The menu icons: 8-bit RGBA PNGs (colour type 6) at the theme's sizes.
    for (const std::string size : {"48", "128", "256"}) {
        const fs::path icon = fs::path(size + "x" + size) / "apps" / "zandrove.png";
        const std::string bytes = ReadAll(dir_ / "icons1" / icon);
        EXPECT_EQ(PngHeader(bytes), size + "x" + size + " depth 8 colour type 6") << icon;
        EXPECT_TRUE(bytes == ReadAll(dir_ / "icons2" / icon)) << icon << " differs between runs";
    }
    // Exactly the game's 38 files, no more.
    std::set<std::string> written;
    for (const auto& entry : fs::directory_iterator(first)) written.insert(entry.path().filename().string());
    EXPECT_EQ(written, GameFiles());
    for (const std::string& file : GameFiles()) {
        const std::string bytes = ReadAll(first / file);
        EXPECT_FALSE(bytes.empty()) << file;
        EXPECT_TRUE(bytes == ReadAll(second / file)) << file << " differs between runs";
        // The build's own copy came from the same code.
        EXPECT_TRUE(bytes == ReadAll(fs::path(AssetDir()) / file)) << file << " differs from the build's";
    }
}

TEST_F(AssetGenerator, FailsWithAMessageWhenItCannotWrite) {
    // A directory where a file should go: that one file cannot be written.
    fs::create_directories(dir_ / "out" / "Hud.bmp");
    Result r = RunGenerator("'" + (dir_ / "out").string() + "'");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.output.find("cannot write"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("Hud.bmp"), std::string::npos) << r.output;

    // An output directory below a plain file cannot be created.
    std::ofstream(dir_ / "plain") << "x";
    r = RunGenerator("'" + (dir_ / "plain" / "sub").string() + "'");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.output.find("cannot create"), std::string::npos) << r.output;

    r = RunGenerator("");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.output.find("usage"), std::string::npos) << r.output;
}

}  // namespace
