// Limits that keep work from being lost by its size: no pack the game would
// not read back whole, an undo history of what each step changed within a
// bound, and a progress file too large to be the game's own set aside.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "app_session.h"
#include "files/atomic_file.h"
#include "packs/pack_writer.h"
#include "packs/level_hash.h"

namespace {

namespace fs = std::filesystem;

long ResidentMegabytes() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE) / (1 << 20);
}

class Limits : public AppTest {
protected:
    // One level of a little more than half the records the game reads from a
    // pack: hamsters past the 32 the game builds, which cost no drawing and
    // one finding. A 34 MB pack.
    bool OpenBig() {
        PackLevel level = design::EmptyLevel("Crowd");
        level.records.assign(kMaxPackRecords / 2 + 1000, Rec(REC_HAMSTER, 100, 100));
        level.records.push_back(Rec(REC_EXIT, 80, 80, 40, 40));
        level.records.push_back(kEndRecord);
        std::string error;
        return WriteFileAtomically((dir / "big.pak").string(), EncodePack({level}), error) && Open("big.pak");
    }
};

TEST_F(Limits, ACopyOrPastePastTheGamesRecordLimitIsRefusedBeforeAnythingIsWritten) {
    ASSERT_TRUE(OpenBig());
    Press(KeyLetter('D'), {kKeyLControl});
    EXPECT_EQ(d->doc.Levels().size(), 1u);
    EXPECT_NE(d->message.find("not done: the pack would hold"), std::string::npos) << d->message;
    EXPECT_TRUE(d->messageFailed);
    EXPECT_FALSE(d->doc.Dirty());
    Press(KeyLetter('N'), {kKeyLControl});  // a small level still fits
    EXPECT_EQ(d->doc.Levels().size(), 2u);

    // So is a paste of the big level's every object into the small one; the
    // copy is too big to share with other designers, and says so.
    Press(kKeyPgUp);
    Press(KeyLetter('A'), {kKeyLControl});
    Press(KeyLetter('C'), {kKeyLControl});
    EXPECT_NE(d->message.find("for this designer only: too many to share"), std::string::npos) << d->message;
    Press(kKeyPgDn);
    Press(KeyLetter('V'), {kKeyLControl});
    EXPECT_NE(d->message.find("not done: the pack would hold"), std::string::npos) << d->message;
    EXPECT_EQ(Records().size(), 1u);
    EXPECT_EQ(d->doc.NextUndo(), "new level") << "no step kept";
}

// Steps on a small level beside a big one keep the small level only; steps
// on the big one go past the bound, and the oldest are dropped, said once.
TEST_F(Limits, UndoKeepsTheLevelEachStepChangedWithinItsBound) {
    ASSERT_TRUE(OpenBig());
    Press(KeyLetter('N'), {kKeyLControl});
    const long before = ResidentMegabytes();
    Tool('B');
    for (int i = 0; i < 20; ++i) ClickAt(30 + 20 * i, 250);
    EXPECT_EQ(design::CountType(Records(), REC_BLOCK), 20);
    EXPECT_LT(ResidentMegabytes() - before, 64) << "20 steps on a small level held the big one each time";

    Press(kKeyPgUp);
    for (int i = 0; i < 5; ++i) Press(KeyLetter('I'));
    EXPECT_NE(d->message.find("undo keeps at most 128 MB: the oldest"), std::string::npos) << d->message;
    EXPECT_LT(ResidentMegabytes() - before, 128 + 2 * 34) << "the history is bound";
    int undone = 0;
    while (d->doc.CanUndo()) {
        Press(KeyLetter('Z'), {kKeyLControl});
        ++undone;
    }
    EXPECT_GE(undone, 3);
    EXPECT_LT(undone, 25);
    EXPECT_EQ(d->doc.Levels().size(), 2u) << "the oldest steps, the new level's among them, were dropped";
}

// A progress file of megabytes is no file the game wrote: it is set aside
// with a line, and the game keeps its progress in a fresh one.
TEST_F(Limits, AProgressFilePastItsBoundIsSetAsideAndAFreshOneKept) {
    const fs::path path = dir / "progress.txt";
    {
        std::ofstream out(path);
        out << "zandrove-progress 1\n";
        char line[64];
        for (unsigned i = 0; i < 140000; ++i) {
            std::snprintf(line, sizeof line, "level %016x solved frame 100\n", i + 1);
            out << line;
        }
    }
    std::vector<std::string> said;
    std::unique_ptr<GameHooks> game = Game(path.string(), &said);
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find("more than the 4 MB a kept file may; kept as '" + path.string() + ".bad'"),
              std::string::npos)
        << said[0];
    EXPECT_TRUE(game->KeptProgress().levels.empty());
    Complete(*game, 0);
    game.reset();  // the game ended, its progress written
    Progress kept;
    std::string error;
    EXPECT_TRUE(ParseProgress(ReadAll(path), kept, error)) << error;
    EXPECT_EQ(kept.levels.size(), 1u);
    EXPECT_NE(kept.Find(LevelHash(kLeft)), nullptr);
}

}  // namespace
