#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "packs/finding_format.h"
#include "packs/pack_checker.h"
#include "packs/pack_writer.h"
#include "packs/text_parser.h"
#include "pack_test_dir.h"

namespace {

using PackCheck = PackTestDir;

// The findings of a level text, located as `check` prints them.
std::vector<std::string> CheckText(const std::string& text) {
    const ParsedText p = ParseLevelText(text);
    EXPECT_TRUE(p.errors.empty()) << FormatTextError("t.txt", p.errors[0]);
    std::vector<std::string> out;
    for (const Finding& f : CheckLevels(p.levels)) out.push_back(FormatTextFinding("t.txt", p.levels, f));
    return out;
}

// Index of the first finding that starts with prefix and holds part, or -1.
int Find(const std::vector<std::string>& found, const std::string& prefix, const std::string& part = "") {
    for (std::size_t i = 0; i < found.size(); ++i)
        if (found[i].rfind(prefix, 0) == 0 && found[i].find(part) != std::string::npos) return static_cast<int>(i);
    return -1;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines) s += l + "\n";
    return s;
}

const char* kPlayable = "level \"ok\"\nhamster 80 84\nexit 420 320 100 40\n";

TEST(PackChecker, BuiltinLevelsAreClean) {
    const std::vector<Finding> found = CheckLevels(BuiltinLevelList());
    for (const Finding& f : found) ADD_FAILURE() << "level " << f.level + 1 << " record " << f.record + 1 << ": " << f.message;
}

TEST(PackChecker, EachKindOfFaultIsFoundOnceWhereItIs) {
    const std::vector<std::string> found = CheckText(
        "level \"no hamster\"\n"        // 1
        "exit 0 0 0 10\n"               // 2: zero width
        "level \"no exit\"\n"           // 3
        "hamster 80 84\n"               // 4
        "level \"faults\"\n"            // 5
        "hamster 300 100\n"             // 6
        "exit 420 320 100 40\n"         // 7
        "block 70 30\n"                 // 8
        "brick 70 30\n"                 // 9: same centre as line 8
        "block 55 45\n"                 // 10: overlaps line 8
        "block 90 30\n"                 // 11: the next cell: fine
        "hamster 70 40\n"               // 12: inside the block of line 8
        "fixed-bomb 700 30 fuse -1\n"   // 13: outside, negative fuse
        "fixed-bomb 320 200 fuse 0\n"   // 14: fine, the shortest fuse
        "exit -200 -200 10 10\n"        // 15: outside
        "exit 630 470 20 -20\n"         // 16: negative size, partly out
        "block 5 240\n"                 // 17: partly out
        "record 6\nrecord -1 1 2\n"     // 18, 19: unknown types
        "bomb\nbomb\nbomb\nbomb\nbomb\n"  // 20-24: the five slots
        "bomb\nbomb\n"                  // 25: the sixth has no slot
        "exit 50 20 20 40\n"             // 27: its right half inside the block of line 8
        "exit 100 20 20 40\n");          // 28: beside the block of line 11: fine
    const std::vector<std::string> expected = {
        "t.txt:1: error: no hamster",
        "t.txt:2: warning: exit at (0, 0) has zero size (0 x 10)",
        "t.txt:3: error: no exit: 1 hamster can never be counted home",
        "t.txt:9: error: brick at (70, 30) has the same centre as the block at (70, 30) (line 8)",
        "t.txt:10: error: block at (55, 45) overlaps the block at (70, 30) (line 8)",
        "t.txt:12: warning: hamster at (70, 40) starts inside the block at (70, 30) (line 8)",
        "t.txt:13: error: fixed-bomb at (700, 30) lies outside the 640 x 480 play-field",
        "t.txt:13: warning: fixed-bomb at (700, 30) has the negative fuse -1",
        "t.txt:15: error: exit at (-200, -200) lies outside",
        "t.txt:16: warning: exit at (630, 470) has a negative size (20 x -20)",
        "t.txt:16: warning: exit at (630, 470) reaches past the edge",
        "t.txt:17: warning: block at (5, 240) reaches past the edge",
        "t.txt:18: error: unknown record type 6: the game skips it",
        "t.txt:19: error: unknown record type -1",
        "t.txt:25: error: inventory bomb 6 of 7 has no HUD slot",
        "t.txt:27: warning: exit at (50, 20) straddles the block at (70, 30): part of the exit lies inside it (line 8)",
    };
    EXPECT_EQ(found.size(), expected.size()) << Joined(found);
    for (const std::string& e : expected) EXPECT_GE(Find(found, e), 0) << "missing: " << e << "\nin:\n" << Joined(found);
}

TEST(PackChecker, LimitsAndGridEdges) {
    std::string hamsters = "level \"h\"\nexit 0 0 640 480\n";
    for (int i = 0; i < 33; ++i) hamsters += "hamster " + std::to_string(20 + 18 * i) + " 400\n";
    const std::vector<std::string> found = CheckText(hamsters);
    ASSERT_EQ(found.size(), 1u) << Joined(found);
    EXPECT_EQ(found[0].rfind("t.txt:35: error: hamster 33 of 33: a level holds at most 32 hamsters", 0), 0u);

    // Five bombs fit the HUD; pieces one cell apart, also across zero, do not clash,
    // but ones less than a cell apart on both axes do, whichever cells their centres are in.
    EXPECT_TRUE(CheckText(std::string(kPlayable) + "bomb\nbomb\nbomb\nbomb\nbomb\n"
                                                   "block 10 10\nblock 30 30\nbrick 50 10\n")
                    .empty());
    const std::vector<std::string> edges = CheckText(std::string(kPlayable) +
                                                     "block -5 100\nblock 5 100\n"      // lines 4, 5
                                                     "block 200 -30\nbrick 219 -11\n"   // lines 6, 7
                                                     "block 300 100\nblock 320 119\n");  // lines 8, 9
    EXPECT_GE(Find(edges, "t.txt:5: error: block at (5, 100) overlaps the block at (-5, 100) (line 4)"), 0)
        << Joined(edges);
    EXPECT_GE(Find(edges, "t.txt:7: error: brick at (219, -11) overlaps"), 0) << Joined(edges);
    EXPECT_EQ(Find(edges, "t.txt:9:"), -1) << Joined(edges);
}

// The overlap and stuck-hamster findings name the earliest piece, as a
// comparison of every pair says, however pieces are stacked or scattered off
// the grid, across cell borders and around zero, and in the later rounds in
// clusters as far apart as the 16-bit range allows. An exit is said to
// straddle a piece exactly when some piece covers part of it, and the piece
// it names does.
TEST(PackChecker, OverlapsAgreeWithComparingEveryPair) {
    std::mt19937 random(7);
    const int kFar = 32600;
    const int clusters[5][2] = {{0, 0}, {-kFar, -kFar}, {kFar, kFar}, {-kFar, kFar}, {kFar, 0}};
    for (int round = 0; round < 60; ++round) {
        const int span = 20 + static_cast<int>(random() % 200);
        std::vector<LevelRecord> recs = {LevelRecord{REC_EXIT, 0, 0, 640, 480, 0, 0, 0}};
        for (int i = 0; i < 300; ++i) {
            LevelRecord r{};
            const unsigned pick = random() % 11;
            const int* at = clusters[round < 40 ? 0 : random() % 5];
            r.type = pick < 6 ? REC_BLOCK : pick < 8 ? REC_BRICK : pick < 10 ? REC_HAMSTER : REC_EXIT;
            r.x = static_cast<int16_t>(at[0] + static_cast<int>(random() % span) - span / 2);
            r.y = static_cast<int16_t>(at[1] + static_cast<int>(random() % span) - span / 2);
            if (r.type == REC_EXIT) {  // any size, either way round, some of them a single pixel
                r.w = static_cast<int16_t>(static_cast<int>(random() % 81) - 40);
                r.h = static_cast<int16_t>(static_cast<int>(random() % 81) - 40);
            }
            if (pick == 9 && recs.size() > 1) {  // a stack on an earlier centre
                const LevelRecord& on = recs[1 + random() % (recs.size() - 1)];
                r.type = REC_BLOCK, r.x = on.x, r.y = on.y;
            }
            recs.push_back(r);
        }
        recs.push_back(kEndRecord);

        std::map<int, int> expected, found;  // record -> the piece named
        std::set<int> straddling, said;      // exits
        const auto piece = [&](int j) { return recs[j].type == REC_BLOCK || recs[j].type == REC_BRICK; };
        // The pixels a piece and an exit cover overlap.
        const auto covers = [&](int j, const LevelRecord& e) {
            const int left = std::min(e.x, static_cast<int16_t>(e.x + e.w)), top = std::min(e.y, static_cast<int16_t>(e.y + e.h));
            return e.w != 0 && e.h != 0 && recs[j].x - 10 < left + std::abs(e.w) && recs[j].x + 10 > left &&
                   recs[j].y - 10 < top + std::abs(e.h) && recs[j].y + 10 > top;
        };
        for (int k = 0; k + 1 < static_cast<int>(recs.size()); ++k) {
            if (recs[k].type == REC_EXIT) {
                for (int j = 0; j + 1 < static_cast<int>(recs.size()); ++j)
                    if (piece(j) && covers(j, recs[k])) straddling.insert(k);
                continue;
            }
            const bool hamster = recs[k].type == REC_HAMSTER;
            if (!piece(k) && !hamster) continue;
            const int reach = hamster ? 22 : 20, cx = recs[k].x, cy = recs[k].y + (hamster ? 4 : 0);
            for (int j = 0; j < (hamster ? static_cast<int>(recs.size()) : k); ++j) {
                if (piece(j) && std::abs(recs[j].x - cx) < reach && std::abs(recs[j].y - cy) < reach) {
                    expected[k] = j;
                    break;
                }
            }
        }
        for (const Finding& f : CheckLevel(recs, 0)) {
            if (f.related < 0) continue;
            if (recs[f.record].type != REC_EXIT) {
                found[f.record] = f.related;
                continue;
            }
            said.insert(f.record);
            EXPECT_TRUE(piece(f.related) && covers(f.related, recs[f.record])) << f.message;
        }
        ASSERT_EQ(found, expected) << "round " << round << ", span " << span;
        ASSERT_EQ(said, straddling) << "round " << round << ", span " << span;
    }
}

TEST_F(PackCheck, PackFindingsNameLevelRecordAndByte) {
    LevelList levels(2);
    levels[0].name = "First";
    levels[0].records = {LevelRecord{3, 80, 84, 0, 0, 0, 0, 0}, LevelRecord{7, 0, 200, 100, 100, 0, 0, 0},
                         LevelRecord{1, 70, 30, 0, 0, 0, 0, 0}, LevelRecord{2, 70, 30, 0, 0, 0, 0, 0}, kEndRecord};
    levels[1].name = "Second";
    levels[1].records = {LevelRecord{3, 80, 84, 0, 0, 0, 0, 0}, LevelRecord{1, 10, 10, 0, 0, 0, 0, 0}, kEndRecord};
    const std::vector<unsigned char> bytes = EncodePack(levels);
    const std::size_t secondAt = 1424 + 128 + 5 * 16;

    auto check = [&](std::size_t size) {
        PackFile pack;
        std::string why;
        EXPECT_TRUE(ReadPackFile(Write("p.pak", std::vector<unsigned char>(bytes.begin(), bytes.begin() + size)),
                                 pack, why));
        std::vector<std::string> out;
        for (const Finding& f : CheckPackFile(pack)) out.push_back(FormatPackFinding("p.pak", pack, f));
        return out;
    };
    std::vector<std::string> found = check(bytes.size());
    EXPECT_EQ(Joined(found),
              "p.pak: level 1 \"First\", record 4: error: brick at (70, 30) has the same centre as the block "
              "at (70, 30) (record 3)\n"
              "p.pak: level 2 \"Second\": error: no exit: 1 hamster can never be counted home\n");

    // The second level loses its terminator and two bytes of its block.
    found = check(bytes.size() - 18);
    ASSERT_EQ(found.size(), 2u) << Joined(found);
    EXPECT_EQ(found[1], "p.pak: level 2, byte " + std::to_string(secondAt) +
                            ": error: the level is cut off before its terminator (1 whole record and 14 bytes of "
                            "another); the game drops it");
    found = check(secondAt + 100);
    EXPECT_EQ(found.back(), "p.pak: level 2, byte " + std::to_string(secondAt) +
                                ": error: the file ends inside this level's header (100 bytes of 128); the game "
                                "ignores them");
    found = check(1424);
    EXPECT_EQ(Joined(found), "p.pak: error: no level: the game would end before showing anything\n");
    found = check(20);
    EXPECT_EQ(Joined(found), "p.pak: error: the file is 20 bytes, shorter than the 1424-byte file header\n");
}

}  // namespace
