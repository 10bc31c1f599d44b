// The one-bomb proof: its two shortcuts held to whole runs from frame 0, and
// what it finds on the built-in levels that give more than one bomb and on
// the second set's Stairway, as it was and as it is. Slow: label "slow".
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "packs/builtin_levels.h"
#include "packs/pack_reader.h"
#include "packs/text_parser.h"
#include "sim/fuse.h"
#include "sim/world.h"
#include "solve/attempt.h"
#include "solve/level_run.h"
#include "solve/one_bomb_proof.h"

namespace {

// What the blast can change: every hamster's and brick's part of PlayKey.
std::vector<int32_t> Moved(const World& w) {
    std::vector<int32_t> state;
    for (cObject* o : w.ObjectList) {
        const int kind = o->Kind();
        if (kind == KIND_BRICK) state.insert(state.end(), {o->x.raw, o->y.raw});
        if (kind != KIND_HAMSTER && kind != KIND_HAMSTER_FAST) continue;
        const cPlayer& h = *static_cast<const cPlayer*>(o);
        state.insert(state.end(), {h.x.raw, h.y.raw, h.Velocity.x.raw, h.Velocity.y.raw, h.Resting, h.SoftLanding,
                                   h.Fast, h.ExitTime});
    }
    return state;
}

// The world at the end of frame with the bombs placed before the run.
std::vector<int32_t> MovedAt(const LevelRecord* records, const std::vector<BombPlacement>& bombs, int frame) {
    LevelRun run(records, bombs);
    while (run.Frame() < frame && run.Next()) {
    }
    return Moved(run.GetWorld());
}

struct Played {
    bool complete;
    int frame;
};
Played PlayOut(const LevelRecord* records, const std::vector<BombPlacement>& bombs, int limit) {
    LevelRun run(records, bombs);
    while (run.Next() && run.Frame() < limit) {
    }
    return {run.Complete(), run.Frame()};
}

const LevelRecord* Builtin(int level) { return BuiltinLevels[level - 1]; }

// Stairway as the second set shipped it first: one bomb from the foot of the
// stairs throws the hamster into the exit, which straddles the top column.
const char* kOldStairway =
    "level \"Stairway\"\nbomb\nbomb\nbomb\nhamster 60 344\n"
    "block row y=370 x=10..170\nblock row y=290 x=230..350\nblock row y=210 x=410..530\n"
    "block row y=130 x=570..630\nblock column x=590 y=30..110\nexit 570 70 60 40\n";

std::vector<LevelRecord> Level(const char* text) {
    const ParsedText parsed = ParseLevelText(text);
    EXPECT_TRUE(parsed.errors.empty());
    return parsed.levels.at(0).records;
}

std::vector<LevelRecord> MoreLevel(int level) {
    PackFile pack;
    std::string error;
    EXPECT_TRUE(ReadPackFile(ZANDROVE_MORE_PACK, pack, error)) << error;
    return pack.levels.at(static_cast<size_t>(level - 1)).records;
}

// Every position of the shortest fuse, and random ones of every fuse the
// proof searches: where the screen says the blast reaches no hamster, the
// hamsters and bricks after the blast are exactly those of the run without
// the bomb, played from frame 0. Where it says a fuse repeats an earlier
// one, the runs of both from frame 0 end alike, the later one later by the
// difference, and pass through the same states on the way.
void CheckScreen(const LevelRecord* records) {
    constexpr int kFrames = 3600;
    AttemptRunner runner(records, kFrames);
    const Checkpoints saved = runner.Prepare({}, kSettableFuses);
    const OneBombScreen screen(records, saved);
    OneBombScreen::Scene scene;
    std::mt19937 random(24);
    int reached = 0, unreached = 0, repeated = 0;
    for (const int fuse : kSettableFuses) {
        const int same = screen.Repeats(fuse);
        ASSERT_GE(same, 0) << "every fuse blasts within the frames";
        const int after = fuse + 2;  // both blast frames over, the bomb spent
        if (same == fuse) {
            const std::vector<int32_t> without = MovedAt(records, {}, after);
            // ZANDROVE_EVERY_POSITION=1: every position of every fuse (minutes).
            const bool every = fuse == kShortestFuse || std::getenv("ZANDROVE_EVERY_POSITION");
            const int tries = every ? 640 * 480 : 1500;
            for (int i = 0; i < tries; ++i) {
                const int x = every ? i % 640 : static_cast<int>(random() % 640);
                const int y = every ? i / 640 : static_cast<int>(random() % 480);
                if (!InMouseReach(x, y)) continue;
                if (screen.Reaches(fuse, x, y, scene)) {
                    ++reached;
                    continue;
                }
                ++unreached;
                const BombPlacement bomb{0, static_cast<int16_t>(x), static_cast<int16_t>(y), fuse};
                ASSERT_EQ(MovedAt(records, {bomb}, after), without) << x << "," << y << "," << fuse;
            }
            continue;
        }
        ++repeated;
        ASSERT_LT(same, fuse);
        for (int i = 0; i < 40; ++i) {
            // Near a hamster at the earlier fuse's blast, where it matters.
            int x = 0, y = 0;
            for (int pick = 0; pick < 1000000; ++pick) {
                x = static_cast<int>(random() % 640), y = static_cast<int>(random() % 480);
                if (InMouseReach(x, y) && screen.Reaches(same, x, y, scene)) break;
            }
            const BombPlacement early{0, static_cast<int16_t>(x), static_cast<int16_t>(y), same};
            BombPlacement late = early;
            late.fuse = fuse;
            const Played a = PlayOut(records, {early}, kFrames), b = PlayOut(records, {late}, kFrames + fuse - same);
            ASSERT_EQ(a.complete, b.complete) << x << "," << y << " fuses " << same << ", " << fuse;
            ASSERT_EQ(a.frame + fuse - same, b.frame);
            ASSERT_EQ(MovedAt(records, {early}, same + 60), MovedAt(records, {late}, fuse + 60));
        }
    }
    EXPECT_GT(reached, 1000);
    EXPECT_GT(unreached, 100000);
    EXPECT_GT(repeated, 0);
}

TEST(OneBombScreen, ItsShortcutsAgreeWithWholeRuns) {
    CheckScreen(Builtin(6));
    CheckScreen(MoreLevel(21).data());
}

// Levels 6, 9 and 10 give two, three and four bombs; one is not enough for
// any of them. Stairway as it was falls to one bomb, which is played again
// from frame 0 to be sure; as it is, it needs two.
TEST(OneBombProof, FindsWhatOneBombCanDo) {
    OneBombSettings settings;
    for (const int level : {6, 9, 10}) {
        const OneBombProof p = ProveOneBomb(Builtin(level), settings);
        EXPECT_EQ(p.result, OneBombProof::Result::Impossible) << "level " << level << ": " << OneBombLine(p);
        EXPECT_EQ(p.decided, p.total);
        EXPECT_EQ(p.total, 231375L * 40);
    }
    const std::vector<LevelRecord> old = Level(kOldStairway);
    const OneBombProof found = ProveOneBomb(old.data(), settings);
    ASSERT_EQ(found.result, OneBombProof::Result::Solved) << OneBombLine(found);
    EXPECT_TRUE(InMouseReach(found.solution.x, found.solution.y));
    const Played replay = PlayOut(old.data(), {found.solution}, settings.frames);
    EXPECT_TRUE(replay.complete);
    EXPECT_EQ(replay.frame, found.completeFrame);

    const std::vector<LevelRecord> mended = MoreLevel(21);
    const OneBombProof proved = ProveOneBomb(mended.data(), settings);
    EXPECT_EQ(proved.result, OneBombProof::Result::Impossible) << OneBombLine(proved);

    // A budget that runs out decides nothing; a level without an inventory
    // bomb, or that completes by itself, is said to be so.
    settings.stop.deadline = SolveClock::now();
    EXPECT_EQ(ProveOneBomb(Builtin(6), settings).result, OneBombProof::Result::Stopped);
    settings.stop = {};
    const std::vector<LevelRecord> bare = Level("level \"A\"\nhamster 80 84\nexit 60 60 60 60\n");
    EXPECT_EQ(ProveOneBomb(bare.data(), settings).result, OneBombProof::Result::NoBomb);
    const std::vector<LevelRecord> home = Level("level \"B\"\nbomb\nhamster 80 84\nblock 80 110\nexit 40 40 100 100\n");
    EXPECT_EQ(ProveOneBomb(home.data(), settings).result, OneBombProof::Result::NoneNeeded);
}

}  // namespace
