// The tools as a hostile user or a full disk meets them: a failed write
// never costs the file that was there and is never reported as success, the
// system's reason is said, and nothing that is not a regular file is read.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "pack/commands.h"
#include "pack_test_dir.h"
#include "support/run_program.h"

namespace {

namespace fs = std::filesystem;

const std::string kPack = std::string(ZANDROVE_BIN_DIR) + "/zandrove-pack";
const std::string kSim = std::string(ZANDROVE_BIN_DIR) + "/zandrove-sim";

class FileSafety : public PackTestDir {
protected:
    void SetUp() override {
        PackTestDir::SetUp();
        Pack({"dump", "--builtin", "-o", PathOf("good.txt")});
        Pack({"build", PathOf("good.txt"), "-o", PathOf("good.pak")});
        good_ = Read(PathOf("good.pak"));
        ASSERT_EQ(good_.size(), 11968u);
    }

    Ran Pack(std::vector<std::string> args, long limit = -1, const std::string& out = "") {
        args.insert(args.begin(), kPack);
        return RunProgram({args, dir_.string(), out, limit, 20});
    }
    Ran Sim(std::vector<std::string> args, long limit = -1, const std::string& out = "") {
        args.insert(args.begin(), kSim);
        return RunProgram({args, dir_.string(), out, limit, 20});
    }
    // Only these names in the scratch directory: no temporary file was left.
    void ExpectOnly(std::vector<std::string> names) const {
        std::vector<std::string> found;
        for (const auto& e : fs::directory_iterator(dir_)) found.push_back(e.path().filename().string());
        std::sort(found.begin(), found.end());
        std::sort(names.begin(), names.end());
        EXPECT_EQ(found, names);
    }

    std::string good_;
};

// Cases 1 and 3: a full disk (a file-size limit) in the middle of a write.
TEST_F(FileSafety, AFailedWriteKeepsTheGoodFileAndSaysWhy) {
    std::string big = "level \"big\"\nhamster 80 84\nexit 0 0 10 10\n";
    for (int i = 0; i < 100; ++i) big += "block row y=" + std::to_string(10 + 20 * (i % 24)) + " x=10..630\n";
    Write("big.txt", big);
    Write("u.pak", good_);
    Ran r = Pack({"build", "big.txt", "-o", "u.pak"}, 20480);
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_EQ(r.err, "zandrove-pack: cannot write 'u.pak': file too large\n");
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(Read(PathOf("u.pak")), good_);

    const std::string text = Read(PathOf("good.txt"));
    r = Pack({"dump", "good.pak", "-o", "good.txt"}, 1024);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "zandrove-pack: cannot write 'good.txt': file too large\n");
    EXPECT_EQ(Read(PathOf("good.txt")), text);

    // 900 KiB: all of the picture but its last 54 bytes.
    const std::string old(774, 'b');
    Write("s.bmp", old);
    r = Sim({"--level", "1", "--screenshot", "s.bmp", "--at", "10", "--frames", "20"}, 921600);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "zandrove-sim: cannot write 's.bmp': file too large\n");
    EXPECT_EQ(Read(PathOf("s.bmp")), old);
    ExpectOnly({"good.txt", "good.pak", "big.txt", "u.pak", "s.bmp"});

    fs::create_directory(PathOf("folder"));
    r = Pack({"build", "good.txt", "-o", "folder"});
    EXPECT_EQ(r.err, "zandrove-pack: cannot write 'folder': is a directory\n");
    r = Sim({"--level", "1", "--screenshot", "folder", "--at", "1", "--frames", "1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "zandrove-sim: cannot write 'folder': is a directory\n");
}

// Case 2: output that is lost is an error, not a success.
TEST_F(FileSafety, ALostStandardOutputFailsTheRun) {
    for (const auto& command : std::vector<std::vector<std::string>>{{"dump", "good.pak"}, {"check", "good.pak"},
                                                                      {"dump", "--builtin"}}) {
        const Ran r = Pack(command, -1, "/dev/full");
        EXPECT_EQ(r.status, 2) << command[0];
        EXPECT_EQ(r.err, "zandrove-pack: cannot write the standard output: no space left on device\n");
    }
    const Ran r = Sim({"--level", "1", "--trace", "--frames", "20"}, -1, "/dev/full");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "zandrove-sim: cannot write the standard output: no space left on device\n");
}

// Cases 4 and 5: a FIFO (no writer: opening it to read would wait for ever)
// or a directory where a pack or a text belongs is refused at once.
TEST_F(FileSafety, OnlyRegularFilesAreReadAndNothingBlocks) {
    ASSERT_EQ(mkfifo(PathOf("fifo").c_str(), 0600), 0);
    fs::create_directory(PathOf("folder"));
    const std::vector<std::vector<std::string>> packTool = {
        {"check", "fifo"}, {"dump", "fifo"}, {"build", "fifo", "-o", "x.pak"}, {"check", "folder"}};
    for (const auto& command : packTool) {
        const Ran r = Pack(command);
        EXPECT_FALSE(r.timedOut) << command[0];
        EXPECT_EQ(r.status, 2) << command[0];
        const std::string reason = command[1] == "fifo" ? "is not a regular file" : "is a directory";
        EXPECT_NE(r.err.find("cannot read '" + command[1] + "': " + reason), std::string::npos) << r.err;
    }
    // Nor is a FIFO written to: it cannot take the place of a file.
    Ran r = Pack({"build", "good.txt", "-o", "fifo"});
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.err, "zandrove-pack: cannot write 'fifo': is not a regular file\n");

    for (const std::string bad : {"fifo", "folder"}) {
        r = Sim({"--pack", bad, "--level", "1"});
        EXPECT_FALSE(r.timedOut) << bad;
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_TRUE(r.out.empty()) << bad << ": played\n" << r.out;
        EXPECT_NE(r.err.find("cannot read level pack " + bad + ": is " +
                             (bad == "fifo" ? "not a regular file" : "a directory")),
                  std::string::npos)
            << r.err;
    }
}

// Case 7: an output that is the input, by any name, is refused.
TEST_F(FileSafety, TheInputIsNeverTheOutput) {
    fs::create_hard_link(PathOf("good.pak"), PathOf("same.pak"));
    const std::string text = Read(PathOf("good.txt"));
    const std::vector<std::vector<std::string>> commands = {
        {"dump", "good.pak", "-o", "good.pak"}, {"dump", "good.pak", "-o", "same.pak"},
        {"build", "good.txt", "-o", "./good.txt"}};
    for (const auto& command : commands) {
        const Ran r = Pack(command);
        EXPECT_EQ(r.status, 2) << command[3];
        EXPECT_NE(r.err.find("-o '" + command[3] + "' is the input file itself; nothing written"), std::string::npos)
            << r.err;
    }
    EXPECT_EQ(Read(PathOf("good.pak")), good_);
    EXPECT_EQ(Read(PathOf("good.txt")), text);
}

// Case 6: findings of one kind are shown 20 times, then summed up.
TEST_F(FileSafety, RepeatedFindingsAreSummedUpAfterTwenty) {
    std::string text = "level \"stacked\"\nhamster 300 84\nexit 280 60 40 40\n";
    for (int i = 0; i < 25; ++i) text += "block 100 100\n";                             // 24 same-centre errors
    for (int i = 0; i < 23; ++i) text += "brick 700 " + std::to_string(10 + 20 * i) + "\n";  // 23 outside
    const std::string path = Write("stack.txt", text);
    std::ostringstream out, err;
    EXPECT_EQ(RunPackTool({"check", path}, out, err), 1);
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 43u) << out.str();
    EXPECT_EQ(lines[0], path + ":5: error: block at (100, 100) has the same centre as the block at (100, 100) (line 4)");
    EXPECT_EQ(lines[19], path + ":24: error: block at (100, 100) has the same centre as the block at (100, 100) (line 4)");
    EXPECT_EQ(lines[20], path + ":29: error: brick at (700, 10) lies outside the 640 x 480 play-field");
    EXPECT_EQ(lines[40], path + ": error: \u2026 and 4 more of this kind "
                                "(block at (#, #) has the same centre as the block at (#, #))");
    EXPECT_EQ(lines[41], path + ": error: \u2026 and 3 more of this kind (brick at (#, #) lies outside the # x # play-field)");
    EXPECT_EQ(lines[42], path + ": 1 level, 47 errors, 0 warnings");
}

}  // namespace
