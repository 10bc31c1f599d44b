#include <gtest/gtest.h>

#include <filesystem>

#include "shell/program_dir.h"

namespace {

TEST(ProgramDirectory, CutsJustAfterTheLastSeparator) {
    EXPECT_EQ(ProgramDirectory("/usr/games/zandrove"), "/usr/games/");
    EXPECT_EQ(ProgramDirectory("./zandrove"), "./");
    EXPECT_EQ(ProgramDirectory("build/bin/zandrove"), "build/bin/");
    EXPECT_EQ(ProgramDirectory("D:\\Games\\prog.exe"), "D:\\Games\\");
    EXPECT_EQ(ProgramDirectory("C:\\x/y\\z.exe"), "C:\\x/y\\");
    EXPECT_EQ(ProgramDirectory("/zandrove"), "/");
}

TEST(ProgramDirectory, StartedThroughPathFallsBackToTheRunningExecutable) {
    // No separator in the name: the directory of this very program is used.
    const std::string dir = ProgramDirectory("zandrove");
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    EXPECT_EQ(std::filesystem::canonical(dir), std::filesystem::canonical(ZANDROVE_BIN_DIR));
    EXPECT_EQ(ProgramDirectory(""), dir);
    EXPECT_EQ(ProgramDirectory(nullptr), dir);
}

}  // namespace
