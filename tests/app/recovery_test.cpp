// The designer's recovery file is its own: a link there is not followed, a
// bad or stale one is kept aside rather than written over, and work that
// could not be put there is never quietly given up.
#include <gtest/gtest.h>
#include <unistd.h>

#include "app_session.h"

namespace {

namespace fs = std::filesystem;

int Bombs(const fs::path& text) {
    const LevelList levels = ParseLevelText(ReadAll(text)).levels;
    return levels.empty() ? -1 : design::CountType(levels[0].records, REC_BOMB);
}

using Recovery = DesignerTest;

TEST_F(Recovery, ALinkInThePlaceOfTheRecoveryFileIsNeitherReadNorWritten) {
    std::ofstream(dir / "work.txt") << "level \"Mine\"\nbomb\n";
    std::ofstream(dir / "other.txt") << "level \"Someone else's\"\nbomb\nbomb\nbomb\n";
    fs::create_symlink("other.txt", dir / "work.txt.autosave");
    ASSERT_TRUE(Open("work.txt"));
    EXPECT_NE(d->message.find("work.txt.autosave is a symbolic link, not a recovery file: left alone"),
              std::string::npos)
        << d->message;
    EXPECT_EQ(d->doc.Level().name, "Mine");
    Press(KeyLetter('I'));
    now += design::kAutosaveSeconds;
    Frame();
    EXPECT_EQ(ReadAll(dir / "other.txt"), "level \"Someone else's\"\nbomb\nbomb\nbomb\n");
    EXPECT_TRUE(fs::is_symlink(dir / "work.txt.autosave"));
    EXPECT_EQ(Bombs(dir / ("work.txt.autosave." + std::to_string(getpid()))), 2) << "the work went elsewhere";
}

TEST_F(Recovery, ABadOrStaleRecoveryFileIsKeptAsideAndSaid) {
    std::ofstream(dir / "work.txt") << "level \"A\"\nbomb\n";
    std::ofstream(dir / "work.txt.autosave.bad") << "kept from before";
    std::ofstream(dir / "work.txt.autosave") << "level \"A\"\nbomb\nbomb\nblock 1\n";  // cut off mid-line
    ASSERT_TRUE(Open("work.txt"));
    EXPECT_NE(d->message.find("work.txt.autosave unreadable"), std::string::npos) << d->message;
    EXPECT_NE(d->message.find("kept as work.txt.autosave.bad.2"), std::string::npos) << d->message;
    EXPECT_EQ(ReadAll(dir / "work.txt.autosave.bad"), "kept from before");
    EXPECT_EQ(ReadAll(dir / "work.txt.autosave.bad.2"), "level \"A\"\nbomb\nbomb\nblock 1\n");
    Press(KeyLetter('I'));
    now += design::kAutosaveSeconds;
    Frame();
    EXPECT_EQ(ReadAll(dir / "work.txt.autosave.bad.2"), "level \"A\"\nbomb\nbomb\nblock 1\n");

    // Recovered work older than the file (changed since, by someone else) is
    // not offered over it, and not lost either.
    d.reset();
    std::ofstream(dir / "work.txt") << "level \"A, changed after the crash\"\nbomb\n";
    const auto fileTime = fs::last_write_time(dir / "work.txt");
    fs::last_write_time(dir / "work.txt.autosave", fileTime - std::chrono::hours(1));
    ASSERT_TRUE(Open("work.txt"));
    EXPECT_EQ(d->doc.Level().name, "A, changed after the crash");
    EXPECT_NE(d->message.find("work.txt.autosave older than work.txt: kept as work.txt.autosave.bad.3"),
              std::string::npos)
        << d->message;
    EXPECT_EQ(Bombs(dir / "work.txt.autosave.bad.3"), 2);
}

// A name too long for its recovery file: F10 says what it costs, and the
// second quits (the game then says what was lost: tests/app/xvfb/quitting.sh).
TEST_F(Recovery, WorkThatCannotBeKeptIsSaidOnTheBarAndAtTheEnd) {
    const std::string name = std::string(246, 'n') + ".pak";  // 250 bytes; with ".autosave" too long
    ASSERT_TRUE(Open(name));
    Press(KeyLetter('I'));
    EXPECT_TRUE(Press(kKeyF10));
    EXPECT_NE(d->message.find("F10 again quits and loses the changes"), std::string::npos) << d->message;
    EXPECT_NE(d->message.find("file name too long"), std::string::npos) << d->message;
    EXPECT_TRUE(d->messageFailed);
    EXPECT_FALSE(Press(kKeyF10));
}

}  // namespace
