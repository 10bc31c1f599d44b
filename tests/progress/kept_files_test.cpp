// The kept files: what the game writes it reads back, and a bad file is
// reported, moved aside (never replacing an earlier bad one) and replaced by
// an empty start, never silently overwritten.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "progress/kept_file.h"
#include "progress/progress.h"
#include "progress/settings.h"

namespace {

namespace fs = std::filesystem;

class KeptFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("zandrove_kept_" + std::to_string(getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        path_ = (dir_ / "zandrove" / "progress.txt").string();
    }
    void TearDown() override {
        fs::remove_all(dir_);
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void Write(const std::string& text) {
        fs::create_directories(fs::path(path_).parent_path());
        std::ofstream(path_, std::ios::binary) << text;
    }
    // Loads path_ as progress; the message, empty when none.
    std::string Load(KeptFile& file, Progress& progress) {
        std::string message;
        file.Load([&](std::string_view text, std::string& error) { return ParseProgress(text, progress, error); },
                  message);
        return message;
    }

    fs::path dir_;
    std::string path_;
};

Progress TwoLevels() {
    Progress p;
    p.Record(0x0123456789abcdefull, RunResult{{{0, 548, 104, 6}, {2, 399, 177, 105}}, 357}, false);
    p.Record(42, RunResult{{{1, -5, 300, 585}}, 90}, true);
    return p;
}

TEST_F(KeptFilesTest, ProgressWrittenInFoldersOfItsOwnReadsBackTheSame) {
    KeptFile file(path_);
    std::string message;
    ASSERT_TRUE(file.Save(FormatProgress(TwoLevels()), message)) << message;
    EXPECT_EQ(Read(path_),
              "zandrove-progress 1\n"
              "# level HASH solved|hinted frame N, then per bomb: bomb SLOT X Y FUSE\n"
              "level 000000000000002a hinted frame 90 bomb 2 -5 300 585\n"
              "level 0123456789abcdef solved frame 357 bomb 1 548 104 6 bomb 3 399 177 105\n");
    Progress back;
    KeptFile again(path_);
    EXPECT_EQ(Load(again, back), "");
    EXPECT_EQ(back.levels, TwoLevels().levels);
}

TEST_F(KeptFilesTest, ABetterRunReplacesTheBestAndASolveWithoutHintClearsTheMark) {
    Progress p = TwoLevels();
    p.Record(42, RunResult{{{0, 1, 2, 30}}, 200}, false);  // same bombs, later: kept out
    EXPECT_EQ(p.Find(42)->best.frame, 90);
    EXPECT_FALSE(p.Find(42)->hinted);
    p.Record(42, RunResult{{}, 400}, true);  // fewer bombs win over a later frame
    EXPECT_EQ(p.Find(42)->best, (RunResult{{}, 400}));
    EXPECT_FALSE(p.Find(42)->hinted);
}

TEST_F(KeptFilesTest, ABadFileIsKeptAsideWithOneLineAndPlayStartsEmpty) {
    const char* const bad[] = {
        "zandrove-progress 2\n",                                    // a future version
        "zandrove-progress 1\nlevel 0123456789abcdef solved fra",   // cut off
        "zandrove-progress 1\nlevel 0123456789abcdef solved frame 9 bomb 1 2\n",  // a bomb cut short
        "zandrove-progress 1\nlevel 0123456789ABCDEF solved frame 9\n",           // not our hash form
        "zandrove-progress 1\nlevel 000000000000002a solved frame 9 bomb 2 1 1 6 bomb 1 1 1 6\n",
        "",                                                         // emptied
        "\x89PNG\r\n",
    };
    int n = 0;
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        Write(text);
        Progress p = TwoLevels();
        KeptFile file(path_);
        const std::string message = Load(file, p);
        const std::string aside = path_ + ".bad" + (n == 0 ? "" : "." + std::to_string(n + 1));
        EXPECT_NE(message.find("kept as '" + aside + "'"), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos);
        EXPECT_TRUE(p.levels.empty());
        EXPECT_EQ(Read(aside), text);  // every bad file kept, none replaced
        EXPECT_FALSE(fs::exists(path_));
        std::string error;
        EXPECT_TRUE(file.Save(FormatProgress(TwoLevels()), error)) << error;
        ++n;
    }
}

TEST_F(KeptFilesTest, ABadFileThatCannotBeMovedIsNeverOverwritten) {
    fs::create_directories(fs::path(path_) / "inside");  // a folder in its place: no link can move it
    Progress p;
    KeptFile file(path_);
    const std::string message = Load(file, p);
    EXPECT_NE(message.find("is a directory; cannot move it aside"), std::string::npos) << message;
    std::string error;
    EXPECT_FALSE(file.Save(FormatProgress(TwoLevels()), error));
    EXPECT_TRUE(fs::exists(fs::path(path_) / "inside"));
}

TEST_F(KeptFilesTest, AFolderThatCannotBeMadeOrWrittenGivesOneLine) {
    std::ofstream((dir_ / "file").string()) << "x";
    KeptFile file((dir_ / "file" / "zandrove" / "settings.txt").string());
    std::string message;
    EXPECT_FALSE(file.Save(FormatSettings(Settings{}), message));
    EXPECT_NE(message.find("cannot create"), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), std::string::npos);
}

TEST_F(KeptFilesTest, SettingsReadBackAndRefuseWhatTheyDoNotKnow) {
    Settings s;
    s.scale = kAutoScale;
    s.fullscreen = true;
    s.volume = 35;
    s.assists.pause = false;
    s.assists.undo = false;
    Settings back;
    std::string error;
    ASSERT_TRUE(ParseSettings(FormatSettings(s), back, error)) << error;
    EXPECT_EQ(back, s);
    // A file of the first version still reads; what it did not know is as by default.
    ASSERT_TRUE(ParseSettings("zandrove-settings 1\nscale 3\nfullscreen no\nmute yes\n", back, error)) << error;
    Settings old;
    old.scale = 3;
    old.mute = true;
    EXPECT_EQ(back, old);
    EXPECT_FALSE(ParseSettings("zandrove-settings 1\nscale 5\n", back, error));
    EXPECT_FALSE(ParseSettings("zandrove-settings 1\nvolume 3\n", back, error));
    EXPECT_FALSE(ParseSettings("zandrove-settings 2\nvolume 101\n", back, error));
    EXPECT_FALSE(ParseSettings("zandrove-settings 2\npause maybe\n", back, error));
    EXPECT_FALSE(ParseSettings("zandrove-settings 3\n", back, error));
    EXPECT_NE(error.find("newer"), std::string::npos);
}

TEST_F(KeptFilesTest, TheFilesLiveWhereXdgSaysOrUnderHome) {
    setenv("HOME", "/home/p", 1);
    setenv("XDG_DATA_HOME", "/data", 1);
    EXPECT_EQ(KeptFilePath("XDG_DATA_HOME", ".local/share", "progress.txt"), "/data/zandrove/progress.txt");
    setenv("XDG_DATA_HOME", "relative", 1);
    EXPECT_EQ(KeptFilePath("XDG_DATA_HOME", ".local/share", "progress.txt"), "/home/p/.local/share/zandrove/progress.txt");
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(KeptFilePath("XDG_DATA_HOME", ".local/share", "progress.txt"), "/home/p/.local/share/zandrove/progress.txt");
}

}  // namespace
