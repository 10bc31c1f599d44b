#include <gtest/gtest.h>

#include <array>
#include <set>
#include <utility>
#include <vector>

#include "packs/builtin_levels.h"
#include "packs/pack_model.h"

namespace {

std::array<int, 8> Fields(const LevelRecord& r) {
    return {r.type, r.x, r.y, r.w, r.h, r.param, r.reserved0, r.reserved1};
}

// The records of a built-in level up to and including its terminator.
std::vector<LevelRecord> Records(int level) {
    std::vector<LevelRecord> out;
    const LevelRecord* r = BuiltinLevels[level];
    do out.push_back(*r);
    while ((r++)->type != REC_END);
    return out;
}

struct Composition {
    int records, blocks, bricks, hamsters, bombs, exits;
    // Sums of the centres of all blocks and bricks: a moved or misplaced row shows here.
    int sumX, sumY;
};

constexpr Composition kExpected[kBuiltinLevelCount] = {
    {91, 77, 9, 1, 2, 1, 31720, 12000}, {67, 63, 0, 1, 1, 1, 24570, 9830},
    {23, 19, 0, 1, 1, 1, 5910, 6430},   {75, 71, 0, 1, 1, 1, 25030, 10770},
    {64, 58, 0, 2, 1, 2, 18560, 19780}, {30, 25, 0, 1, 2, 1, 13250, 5450},
    {107, 58, 45, 1, 1, 1, 33430, 31270}, {21, 17, 0, 1, 1, 1, 4250, 6230},
    {55, 49, 0, 1, 3, 1, 18210, 6930},  {46, 39, 0, 1, 4, 1, 7670, 8510},
};

// What the game plays without a pack: the ten levels, named, record for record.
TEST(BuiltinLevels, TheListIsTheTenLevelsNamed) {
    std::set<const LevelRecord*> distinct(BuiltinLevels, BuiltinLevels + kBuiltinLevelCount);
    EXPECT_EQ(distinct.size(), 10u);
    EXPECT_EQ(distinct.count(nullptr), 0u);
    const LevelList list = BuiltinLevelList();
    ASSERT_EQ(list.size(), 10u);
    for (int level = 0; level < kBuiltinLevelCount; ++level) {
        EXPECT_EQ(list[level].name, "Level " + std::to_string(level + 1));
        std::vector<std::array<int, 8>> listed, built;
        for (const LevelRecord& r : list[level].records) listed.push_back(Fields(r));
        for (const LevelRecord& r : Records(level)) built.push_back(Fields(r));
        EXPECT_EQ(listed, built) << "level " << level + 1;
    }
}

TEST(BuiltinLevels, EachLevelHasItsRecordCountAndComposition) {
    for (int level = 0; level < kBuiltinLevelCount; ++level) {
        SCOPED_TRACE("level " + std::to_string(level + 1));
        const std::vector<LevelRecord> recs = Records(level);
        Composition got{static_cast<int>(recs.size()), 0, 0, 0, 0, 0, 0, 0};
        for (const LevelRecord& r : recs) {
            switch (r.type) {
                case REC_BLOCK: ++got.blocks; break;
                case REC_BRICK: ++got.bricks; break;
                case REC_HAMSTER: ++got.hamsters; break;
                case REC_BOMB: ++got.bombs; break;
                case REC_EXIT: ++got.exits; break;
                case REC_END: break;
                default: ADD_FAILURE() << "unexpected record type " << r.type;
            }
            if (r.type == REC_BLOCK || r.type == REC_BRICK) {
                got.sumX += r.x;
                got.sumY += r.y;
            }
        }
        const Composition& want = kExpected[level];
        EXPECT_EQ(got.records, want.records);
        EXPECT_EQ(got.blocks, want.blocks);
        EXPECT_EQ(got.bricks, want.bricks);
        EXPECT_EQ(got.hamsters, want.hamsters);
        EXPECT_EQ(got.bombs, want.bombs);
        EXPECT_EQ(got.exits, want.exits);
        EXPECT_EQ(got.sumX, want.sumX);
        EXPECT_EQ(got.sumY, want.sumY);
    }
}

TEST(BuiltinLevels, BlocksAndBricksFillDistinctGridCellsOnThePlayField) {
    for (int level = 0; level < kBuiltinLevelCount; ++level) {
        SCOPED_TRACE("level " + std::to_string(level + 1));
        std::set<std::pair<int, int>> cells;
        for (const LevelRecord& r : Records(level)) {
            if (r.type != REC_BLOCK && r.type != REC_BRICK) continue;
            EXPECT_EQ((r.x - 10) % 20, 0) << "x " << r.x;
            EXPECT_EQ((r.y - 10) % 20, 0) << "y " << r.y;
            EXPECT_TRUE(r.x >= 10 && r.x <= 630 && r.y >= 10 && r.y <= 470) << r.x << "," << r.y;
            EXPECT_TRUE(cells.insert({r.x, r.y}).second) << "two pieces at " << r.x << "," << r.y;
        }
    }
}

// Bombs come first (inventory order), then the hamsters (their numbering), the
// exits last; unnamed fields are zero and the terminator is all zero.
TEST(BuiltinLevels, RecordsFollowTheLevelLayoutRules) {
    const std::array<int, 8> bomb = {REC_BOMB, -2048, -2048, 0, 0, 4, 0, 0};
    for (int level = 0; level < kBuiltinLevelCount; ++level) {
        SCOPED_TRACE("level " + std::to_string(level + 1));
        const std::vector<LevelRecord> recs = Records(level);
        const int bombs = kExpected[level].bombs;
        const int hamsters = kExpected[level].hamsters;
        const int exits = kExpected[level].exits;
        const int n = static_cast<int>(recs.size());
        for (int i = 0; i < n; ++i) {
            const LevelRecord& r = recs[i];
            if (i < bombs) {
                EXPECT_EQ(Fields(r), bomb) << "record " << i;
            } else if (i < bombs + hamsters) {
                EXPECT_EQ(r.type, REC_HAMSTER) << "record " << i;
            } else if (i >= n - 1 - exits && i < n - 1) {
                EXPECT_EQ(r.type, REC_EXIT) << "record " << i;
                EXPECT_GT(r.w, 0);
                EXPECT_GT(r.h, 0);
            } else if (i == n - 1) {
                EXPECT_EQ(Fields(r), (std::array<int, 8>{})) << "terminator";
            } else {
                EXPECT_TRUE(r.type == REC_BLOCK || r.type == REC_BRICK) << "record " << i;
            }
            if (r.type != REC_EXIT) {
                EXPECT_EQ(r.w, 0) << "record " << i;
                EXPECT_EQ(r.h, 0) << "record " << i;
            }
            if (r.type != REC_BOMB) {
                EXPECT_EQ(r.param, 0) << "record " << i;
            }
            EXPECT_EQ(r.reserved0, 0) << "record " << i;
            EXPECT_EQ(r.reserved1, 0) << "record " << i;
        }
    }
}

TEST(BuiltinLevels, LevelOneRecordsInOrder) {
    const std::vector<LevelRecord> recs = Records(0);
    ASSERT_EQ(recs.size(), 91u);
    using F = std::array<int, 8>;
    EXPECT_EQ(Fields(recs[2]), (F{REC_HAMSTER, 80, 84, 0, 0, 0, 0, 0}));
    // The top row runs left to right, then the row at y = 110 starts again at the left.
    for (int i = 0; i < 23; ++i) EXPECT_EQ(Fields(recs[3 + i]), (F{REC_BLOCK, 70 + 20 * i, 30, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Fields(recs[26]), (F{REC_BLOCK, 70, 110, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Fields(recs[42]), (F{REC_BLOCK, 390, 110, 0, 0, 0, 0, 0}));
    // Brick columns run top to bottom, one column after the other.
    EXPECT_EQ(Fields(recs[43]), (F{REC_BRICK, 370, 50, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Fields(recs[45]), (F{REC_BRICK, 370, 90, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Fields(recs[46]), (F{REC_BRICK, 390, 50, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Fields(recs[51]), (F{REC_BRICK, 410, 90, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Fields(recs[52]), (F{REC_BLOCK, 410, 370, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Fields(recs[59]), (F{REC_BLOCK, 410, 110, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Fields(recs[71]), (F{REC_BLOCK, 410, 350, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Fields(recs[72]), (F{REC_BLOCK, 530, 30, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Fields(recs[88]), (F{REC_BLOCK, 530, 350, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Fields(recs[89]), (F{REC_EXIT, 420, 320, 100, 40, 0, 0, 0}));
}

TEST(BuiltinLevels, HamstersAndExitsOfEveryLevel) {
    using Pieces = std::vector<std::array<int, 4>>;  // x, y, w, h in record order
    const Pieces hamsters[kBuiltinLevelCount] = {
        {{80, 84, 0, 0}},   {{80, 84, 0, 0}},   {{240, 344, 0, 0}}, {{80, 84, 0, 0}},
        {{280, 264, 0, 0}, {360, 264, 0, 0}},   {{480, 124, 0, 0}}, {{460, 224, 0, 0}},
        {{80, 344, 0, 0}},  {{60, 284, 0, 0}},  {{60, 284, 0, 0}},
    };
    const Pieces exits[kBuiltinLevelCount] = {
        {{420, 320, 100, 40}}, {{420, 320, 100, 40}}, {{300, 320, 60, 40}}, {{420, 320, 100, 40}},
        {{60, 320, 80, 40}, {400, 320, 80, 40}},     {{480, 240, 100, 40}}, {{120, 340, 80, 40}},
        {{420, 380, 60, 20}},  {{320, 100, 80, 40}},  {{40, 200, 80, 40}},
    };
    for (int level = 0; level < kBuiltinLevelCount; ++level) {
        SCOPED_TRACE("level " + std::to_string(level + 1));
        Pieces gotHamsters, gotExits;
        for (const LevelRecord& r : Records(level)) {
            if (r.type == REC_HAMSTER) gotHamsters.push_back({r.x, r.y, r.w, r.h});
            if (r.type == REC_EXIT) gotExits.push_back({r.x, r.y, r.w, r.h});
        }
        EXPECT_EQ(gotHamsters, hamsters[level]);
        EXPECT_EQ(gotExits, exits[level]);
    }
}

TEST(BuiltinLevels, PiecesOfLaterLevelsInOrder) {
    using F = std::array<int, 8>;
    // Single blocks between runs, and the first and last pieces of runs.
    const std::vector<LevelRecord> seven = Records(6);
    EXPECT_EQ(Fields(seven[2]), (F{REC_BLOCK, 390, 230, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Fields(seven[3]), (F{REC_BLOCK, 50, 250, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Fields(seven[45]), (F{REC_BLOCK, 210, 330, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Fields(seven[46]), (F{REC_BLOCK, 210, 370, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Fields(seven[60]), (F{REC_BRICK, 410, 250, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Fields(seven[104]), (F{REC_BRICK, 490, 330, 0, 0, 0, 0, 0}));
    const std::vector<LevelRecord> eight = Records(7);
    EXPECT_EQ(Fields(eight[12]), (F{REC_BLOCK, 410, 390, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Fields(eight[13]), (F{REC_BLOCK, 490, 390, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Fields(eight[18]), (F{REC_BLOCK, 490, 410, 0, 0, 0, 0, 0}));
    const std::vector<LevelRecord> ten = Records(9);
    EXPECT_EQ(Fields(ten[5]), (F{REC_BLOCK, 50, 250, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Fields(ten[36]), (F{REC_BLOCK, 270, 10, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Fields(ten[43]), (F{REC_BLOCK, 270, 150, 0, 0, 0, 0, 0}));
}

}  // namespace
