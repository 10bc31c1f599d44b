// F5 in the designer on levels that need more than one bomb: the search,
// then how forgiving its solutions are and the one-bomb proof, each with
// its line on the bar, and the fewest bombs said as needed only when the
// proof showed one is not enough. Slow: label "slow".
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "designer_session.h"
#include "files/atomic_file.h"
#include "packs/builtin_levels.h"
#include "packs/pack_reader.h"
#include "packs/pack_writer.h"

namespace {

class DesignerProof : public DesignerTest {
protected:
    // F5, and frames until the search and the checks after it are done; the
    // checks' line as it was while the proof ran.
    std::string Solve() {
        Press(KeyF(5));
        std::string proving;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(300);
        while (d->solves.Running() && std::chrono::steady_clock::now() < deadline) {
            Frame();
            const std::string line = d->solves.CheckStatus(Records());
            if (line.find("one bomb: ") != std::string::npos && line.find("% tried") != std::string::npos) proving = line;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_FALSE(d->solves.Running()) << "no result within 300 s";
        return proving;
    }
};

TEST_F(DesignerProof, F5SaysNeedsOnlyWhatTheOneBombProofProves) {
    PackFile more;
    std::string error;
    ASSERT_TRUE(ReadPackFile(ZANDROVE_MORE_PACK, more, error)) << error;
    LevelList levels = {more.levels.at(20), BuiltinLevelList().at(9)};  // Stairway; the tenth level
    ASSERT_EQ(levels[0].name, "Stairway");
    ASSERT_TRUE(WriteFileAtomically((dir / "two.pak").string(), EncodePack(levels), error)) << error;
    ASSERT_TRUE(Open("two.pak"));

    const std::string proving = Solve();
    EXPECT_NE(proving.find("(F5 cancels)"), std::string::npos) << "the proof's own progress line";
    const std::string stairway = d->solves.Status(Records());
    EXPECT_EQ(stairway.rfind("needs 2 bombs (3 given), ", 0), 0u) << stairway;
    EXPECT_NE(stairway.find(", difficulty "), std::string::npos) << stairway;
    const std::string checks = d->solves.CheckStatus(Records());
    EXPECT_EQ(checks.rfind("forgiving: ", 0), 0u) << checks;
    EXPECT_NE(checks.find(" of 49 per bomb   one bomb proved not enough ("), std::string::npos) << checks;
    // Test-play starts with the most forgiving solution placed.
    Press(kKeyTab);
    Frame();
    ASSERT_TRUE(d->playing);
    EXPECT_TRUE(d->shell.world.BombPlaced[0] && d->shell.world.BombPlaced[1]);
    Press(kKeyTab);

    // Three bombs are the best found; that one is not enough is proved,
    // that two are not is not.
    Press(kKeyPgDn);
    Solve();
    const std::string tenth = d->solves.Status(Records());
    EXPECT_EQ(tenth.rfind("best found: 3 bombs (4 given), ", 0), 0u) << tenth;
    EXPECT_NE(d->solves.CheckStatus(Records()).find("one bomb proved not enough"), std::string::npos);

    // F5 again while the proof runs cancels it, and says so.
    Press(kKeyPgUp);
    Press(KeyLetter('I'));  // another level: searched afresh
    Press(KeyF(5));
    while (d->solves.Running() && d->solves.CheckStatus(Records()).find("% tried") == std::string::npos) Frame();
    Press(KeyF(5));
    EXPECT_FALSE(d->solves.Running());
    EXPECT_NE(d->solves.CheckStatus(Records()).find("one bomb: not proved (cancelled)"), std::string::npos)
        << d->solves.CheckStatus(Records());
    EXPECT_EQ(d->solves.Status(Records()).rfind("best found: 2 bombs (4 given)", 0), 0u) << d->solves.Status(Records());
}

}  // namespace
