// Files shared with someone else: two designers on one pack, a level text
// kept in version control, two games on one progress file, and the pack
// tool writing through a link, over another user's file and beside a dead
// writer's leftovers. Nobody's work is lost to anybody else's.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app_session.h"
#include "files/atomic_file.h"
#include "packs/pack_writer.h"
#include "packs/level_hash.h"

namespace {

namespace fs = std::filesystem;

// A designer in a process of its own, ended however the test ends.
struct OtherProcess {
    pid_t pid = -1;
    ~OtherProcess() {
        if (pid <= 0) return;
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
};

void Tell(int fd) { EXPECT_EQ(write(fd, "x", 1), 1); }
void Await(int fd) {
    char c;
    (void)!read(fd, &c, 1);
}

using Sharing = AppTest;

// A opens the pack first; B opens the same pack and changes it; A adds a
// level, saves, and has unsaved work in its recovery file. B's save keeps
// A's level and puts B's version beside it; only B's second save replaces
// the pack, and neither touches A's recovery file.
TEST_F(Sharing, TwoDesignersOnOnePackLoseNeitherOnesWork) {
    std::string error;
    ASSERT_TRUE(WriteFileAtomically((dir / "shared.pak").string(), EncodePack({design::EmptyLevel("Level 1")}), error));
    int toA[2], toB[2];
    ASSERT_EQ(pipe(toA), 0);
    ASSERT_EQ(pipe(toB), 0);
    OtherProcess other;
    const pid_t a = other.pid = fork();
    ASSERT_GE(a, 0);
    if (a == 0) {
        Open("shared.pak");
        Tell(toB[1]);
        Await(toA[0]);
        Press(KeyLetter('N'), {kKeyLControl});
        Press(KeyLetter('S'), {kKeyLControl});
        Press(KeyLetter('I'));
        now += design::kAutosaveSeconds;
        Frame();
        Tell(toB[1]);
        Await(toA[0]);
        _exit(0);
    }
    Await(toB[0]);
    ASSERT_TRUE(Open("shared.pak"));
    EXPECT_NE(d->message.find("another designer (process " + std::to_string(a) + ")"), std::string::npos)
        << d->message;
    Press(KeyLetter('I'));
    Tell(toA[1]);
    Await(toB[0]);
    const std::string byA = ReadAll(dir / "shared.pak");
    ASSERT_EQ(Dumped(dir / "shared.pak").size(), 2u);

    Press(KeyLetter('S'), {kKeyLControl});
    EXPECT_NE(d->message.find("shared.pak changed on disk since you opened it; yours is in shared.pak.mine"),
              std::string::npos)
        << d->message;
    EXPECT_EQ(ReadAll(dir / "shared.pak"), byA);
    const LevelList mine = Dumped(dir / "shared.pak.mine");
    ASSERT_EQ(mine.size(), 1u);
    EXPECT_EQ(design::CountType(mine[0].records, REC_BOMB), 1);
    EXPECT_TRUE(d->doc.Dirty());
    Press(KeyLetter('S'), {kKeyLControl});
    EXPECT_EQ(d->message, "saved shared.pak (1 level)");
    EXPECT_EQ(Dumped(dir / "shared.pak").size(), 1u);
    EXPECT_TRUE(fs::exists(dir / "shared.pak.autosave")) << "B's saves left A's recovery file";
    kill(a, SIGKILL);
    waitpid(a, nullptr, 0);
    other.pid = -1;

    // A is gone: its unsaved work is offered (here: kept aside, being older
    // than B's save) to the next designer, which holds the pack alone.
    ASSERT_TRUE(Open("shared.pak"));
    EXPECT_EQ(d->message.find("another designer"), std::string::npos) << d->message;
    EXPECT_NE(d->message.find("shared.pak.autosave older than shared.pak: kept as shared.pak.autosave.bad"),
              std::string::npos)
        << d->message;
    const LevelList byAUnsaved = Dumped(dir / "shared.pak.autosave.bad");
    ASSERT_EQ(byAUnsaved.size(), 2u);
    EXPECT_EQ(design::CountType(byAUnsaved[1].records, REC_BOMB), 1);
}

// A level text saved from the designer keeps its comments, its blank lines
// and the lines of every level that did not change; the one change is
// printed where it was.
TEST_F(Sharing, ASavedLevelTextKeepsItsCommentsAndEveryUnchangedLine) {
    const std::string original = ReadAll(fs::path(ZANDROVE_SOURCE_DIR) / "levels" / "more.txt");
    std::ofstream(dir / "more.txt", std::ios::binary) << original;
    ASSERT_TRUE(Open("more.txt"));
    Press(kKeyPgDn);
    Press(kKeyPgDn);
    ASSERT_EQ(d->doc.Level().name, "Brick Cellar");
    ClickAt(410, 170, kRightButton);  // one brick out of the middle of a row
    Press(KeyLetter('S'), {kKeyLControl});
    std::string expected = original;
    const std::string row = "brick row y=170 x=350..470\n";
    ASSERT_NE(expected.find(row), std::string::npos);
    expected.replace(expected.find(row), row.size(), "brick row y=170 x=350..390\nbrick row y=170 x=430..470\n");
    EXPECT_EQ(ReadAll(dir / "more.txt"), expected);
    // Saved again after a second change, the first change's lines stay too.
    Press(kKeyPgDn);
    Press(KeyF(2));
    io.typed = "!";
    Frame();
    Press(kKeyEnter);
    Press(KeyLetter('S'), {kKeyLControl});
    expected.replace(expected.find("level \"Brick Door\""), 18, "level \"Brick Door!\"");
    EXPECT_EQ(ReadAll(dir / "more.txt"), expected);
}

// Two games on one progress file: each keeps the other's completed levels.
TEST_F(Sharing, TwoGamesOnOneProgressFileKeepBothGamesLevels) {
    const std::string path = (dir / "progress.txt").string();
    std::unique_ptr<GameHooks> first = Game(path), second = Game(path);  // both started with nothing kept
    Complete(*second, 0);
    second.reset();  // that game ended, its progress written
    Complete(*first, 1);
    first->FinishKeeping();
    EXPECT_NE(first->KeptProgress().Find(LevelHash(kLeft)), nullptr) << "the chooser shows it too";
    first.reset();
    Progress kept;
    std::string error;
    EXPECT_TRUE(ParseProgress(ReadAll(path), kept, error)) << error;
    EXPECT_NE(kept.Find(LevelHash(kLeft)), nullptr) << "the other game's level was lost: " << ReadAll(path);
    EXPECT_NE(kept.Find(LevelHash(kRight)), nullptr);
}

// The pack tool's -o: through a link that names no file yet, over a file of
// another user, into a folder where a writer died.
TEST_F(Sharing, WritesFollowADanglingLinkKeepTheOwnerAndClearDeadWritersLeftovers) {
    std::ofstream(dir / "levels.txt") << "level \"A\"\nhamster 100 100\nexit 80 80 40 40\n";
    fs::create_symlink("made-by-the-link.pak", dir / "link.pak");
    const pid_t gone = fork();
    if (gone == 0) _exit(0);
    waitpid(gone, nullptr, 0);
    const fs::path dead = dir / (".owned.pak." + std::to_string(gone) + "-0.tmp");
    const fs::path live = dir / (".other.pak." + std::to_string(getpid()) + "-7.tmp");
    std::ofstream(dead) << "left by a writer killed mid-write";
    std::ofstream(live) << "a live writer's";
    std::ofstream(dir / "owned.pak") << "a player's";
    chmod((dir / "owned.pak").c_str(), 0640);
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(chown((dir / "owned.pak").c_str(), 65534, 65534), 0);
    }

    for (const char* out : {"link.pak", "owned.pak"}) {
        ProgramRun run;
        run.args = {std::string(ZANDROVE_BIN_DIR) + "/zandrove-pack", "build", (dir / "levels.txt").string(), "-o",
                    (dir / out).string()};
        const Ran r = RunProgram(run);
        EXPECT_EQ(r.status, 0) << r.err;
    }
    EXPECT_TRUE(fs::is_symlink(dir / "link.pak"));
    EXPECT_EQ(Dumped(dir / "made-by-the-link.pak").size(), 1u);
    struct stat st {};
    ASSERT_EQ(stat((dir / "owned.pak").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(st.st_uid, 65534u);
        EXPECT_EQ(st.st_gid, 65534u);
    }
    EXPECT_FALSE(fs::exists(dead));
    EXPECT_TRUE(fs::exists(live));
}

}  // namespace
