// Inputs are opened only if they are regular files, at once, and the
// standard output tells when it was lost.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "files/checked_output.h"
#include "files/regular_file.h"

namespace {

namespace fs = std::filesystem;

TEST(RegularFile, OnlyARegularFileOpensAndNothingBlocks) {
    alarm(20);  // a blocking open ends the test program instead of hanging it
    const fs::path dir = fs::temp_directory_path() / ("zandrove_regular_" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);  // no writer: a blocking open would wait forever
    const struct {
        std::string path;
        const char* reason;
    } refused[] = {
        {(dir / "fifo").string(), "is not a regular file"},
        {dir.string(), "is a directory"},
        {"/dev/zero", "is not a regular file"},  // it never ends
        {(dir / "missing").string(), "no such file or directory"},
    };
    for (const auto& r : refused) {
        uint64_t size = 0;
        std::string error, bytes;
        EXPECT_EQ(OpenRegularFile(r.path, size, error), -1) << r.path;
        EXPECT_EQ(error, r.reason) << r.path;
        EXPECT_FALSE(ReadRegularFile(r.path, bytes, error)) << r.path;
        RegularFileStream in(r.path);
        EXPECT_FALSE(in.IsOpen());
        EXPECT_FALSE(in.good());
        EXPECT_EQ(in.Error(), r.reason);
    }

    const std::string file = (dir / "pack").string();
    std::string content(200000, '\0');
    for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7);
    std::ofstream(file, std::ios::binary) << content;
    std::string bytes, error;
    ASSERT_TRUE(ReadRegularFile(file, bytes, error)) << error;
    EXPECT_EQ(bytes, content);
    RegularFileStream in(file);
    ASSERT_TRUE(in.IsOpen());
    EXPECT_EQ(in.Size(), content.size());
    char part[5];
    in.seekg(150001);
    in.read(part, 5);
    EXPECT_EQ(std::string(part, 5), content.substr(150001, 5));
    in.seekg(3);
    in.ignore(70000);
    in.read(part, 5);
    EXPECT_EQ(std::string(part, 5), content.substr(70003, 5));

    // One file, whatever the path to it.
    fs::create_hard_link(file, dir / "hard");
    fs::create_symlink("pack", dir / "soft");
    EXPECT_TRUE(IsSameFile(file, (dir / "hard").string()));
    EXPECT_TRUE(IsSameFile(file, (dir / "soft").string()));
    EXPECT_FALSE(IsSameFile(file, (dir / "fifo").string()));
    EXPECT_FALSE(IsSameFile(file, (dir / "missing").string()));
    fs::remove_all(dir);
    alarm(0);
}

TEST(CheckedOutput, ALostOutputIsReportedWithItsReason) {
    const int full = open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    std::string error;
    {
        CheckedOutput out(full);
        for (int i = 0; i < 100000; ++i) out << "a line of output that goes nowhere\n";
        EXPECT_FALSE(out.Finish(error));
        EXPECT_EQ(error, "no space left on device");
    }
    {
        CheckedOutput out(full);
        out << "short";  // still buffered until the end
        EXPECT_FALSE(out.Finish(error));
    }
    close(full);

    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    {
        CheckedOutput out(fds[1]);
        out << "all of it";
        EXPECT_TRUE(out.Finish(error));
    }
    char got[16] = {};
    EXPECT_EQ(read(fds[0], got, sizeof got), 9);
    EXPECT_STREQ(got, "all of it");
    close(fds[0]);
    close(fds[1]);
}

}  // namespace
