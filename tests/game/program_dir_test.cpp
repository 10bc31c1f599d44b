#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "game/program_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(ProgramDirectory, IsTheRealExecutablesWhateverArgv0Says) {
    // A symlink, a PATH lookup and a relative start all give argv0s like these.
    const fs::path real = fs::canonical(ZANDROVE_BIN_DIR);
    for (const char* argv0 : {"/usr/games/zandrove", "zandrove", "./zandrove", "", static_cast<const char*>(nullptr)}) {
        const std::string dir = ProgramDirectory(argv0);
        ASSERT_FALSE(dir.empty());
        EXPECT_EQ(dir.back(), '/');
        EXPECT_EQ(fs::path(dir), real / "") << (argv0 ? argv0 : "(null)");
    }
}

TEST(AssetDirectory, BesideTheProgramInABuildTreeElseInstalledShare) {
    const std::string bin = fs::canonical(ZANDROVE_BIN_DIR).string() + "/";
    EXPECT_EQ(AssetDirectory(bin), bin);

    // An installed tree: P/games/zandrove, P/bin/zandrove-sim, P/share/zandrove/.
    const fs::path p = fs::temp_directory_path() / ("zandrove_prefix_" + std::to_string(getpid()));
    fs::remove_all(p);
    fs::create_directories(p / "games");
    fs::create_directories(p / "bin");
    const std::string games = (p / "games").string() + "/";
    // Not installed yet: the program's own directory, where the loader reports what is missing.
    EXPECT_EQ(AssetDirectory(games), games);
    fs::create_directories(p / "share" / "zandrove");
    const std::string share = (p / "share" / "zandrove").string() + "/";
    EXPECT_EQ(AssetDirectory(games), share);
    EXPECT_EQ(AssetDirectory((p / "bin").string() + "/"), share);
    // Assets beside the program win, as in a build tree.
    std::ofstream(p / "games" / "Background.bmp") << "BM";
    EXPECT_EQ(AssetDirectory(games), games);
    fs::remove_all(p);
}

}  // namespace
