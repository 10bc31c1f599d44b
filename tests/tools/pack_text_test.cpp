#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "packs/pack_header.h"
#include "packs/text_parser.h"
#include "packs/text_printer.h"

namespace {

using Fields = std::array<int, 8>;

Fields Of(const LevelRecord& r) { return {r.type, r.x, r.y, r.w, r.h, r.param, r.reserved0, r.reserved1}; }

std::vector<Fields> AllOf(const PackLevel& level) {
    std::vector<Fields> out;
    for (const LevelRecord& r : level.records) out.push_back(Of(r));
    return out;
}

std::vector<std::string> Messages(const ParsedText& p) {
    std::vector<std::string> out;
    for (const TextError& e : p.errors) out.push_back(FormatTextError("t.txt", e));
    return out;
}

TEST(PackText, EveryNamedFormGivesItsRecord) {
    const ParsedText p = ParseLevelText(
        "\xEF\xBB\xBF# a byte order mark, then a comment line\n"
        "level \"First # not a comment\"   # but this is\n"
        "\n"
        "bomb\n"
        "hamster 80 84\n"
        "block 70 30\n"
        "brick 370 50\n"
        "fixed-bomb 300 200 fuse -3\n"
        "exit 420 320 100 40\n"
        "record 6 1 2 3 4 5 -7 8\n"
        "record -1\n"
        "level \"\"\n"
        "level \"Esc \\\"q\\\" \\\\\"\r\n"
        "hamster +5 -32768\r\n"
        "record 0 1 0 0 0 0 0 2\n");
    ASSERT_TRUE(p.errors.empty()) << Messages(p)[0];
    ASSERT_EQ(p.levels.size(), 3u);
    EXPECT_EQ(p.levels[0].name, "First # not a comment");
    EXPECT_EQ(p.levels[0].line, 2);
    EXPECT_EQ(AllOf(p.levels[0]), (std::vector<Fields>{{4, -2048, -2048, 0, 0, 4, 0, 0},
                                                        {3, 80, 84, 0, 0, 0, 0, 0},
                                                        {1, 70, 30, 0, 0, 0, 0, 0},
                                                        {2, 370, 50, 0, 0, 0, 0, 0},
                                                        {5, 300, 200, 0, 0, -3, 0, 0},
                                                        {7, 420, 320, 100, 40, 0, 0, 0},
                                                        {6, 1, 2, 3, 4, 5, -7, 8},
                                                        {-1, 0, 0, 0, 0, 0, 0, 0},
                                                        {0, 0, 0, 0, 0, 0, 0, 0}}));
    EXPECT_EQ(p.levels[0].recordLines, (std::vector<int>{4, 5, 6, 7, 8, 9, 10, 11, 2}));
    // An empty level is its terminator alone.
    EXPECT_EQ(p.levels[1].name, "");
    EXPECT_EQ(AllOf(p.levels[1]), (std::vector<Fields>{{0, 0, 0, 0, 0, 0, 0, 0}}));
    // A written type-0 record replaces the automatic terminator, fields and all.
    EXPECT_EQ(p.levels[2].name, "Esc \"q\" \\");
    EXPECT_EQ(AllOf(p.levels[2]), (std::vector<Fields>{{3, 5, -32768, 0, 0, 0, 0, 0}, {0, 1, 0, 0, 0, 0, 0, 2}}));
}

TEST(PackText, RowsAndColumnsExpandInOrder) {
    const ParsedText p = ParseLevelText(
        "level \"L\"\n"
        "block row y=30 x=70..510\n"
        "brick column x=370 y=50..90\n"
        "block row x=50..10 y=-10\n"  // fields in either order, counting down
        "brick column x=5 y=7\n");    // a column of one
    ASSERT_TRUE(p.errors.empty()) << Messages(p)[0];
    const std::vector<LevelRecord>& r = p.levels[0].records;
    ASSERT_EQ(r.size(), 23u + 3 + 3 + 1 + 1);
    for (int i = 0; i < 23; ++i) EXPECT_EQ(Of(r[i]), (Fields{1, 70 + 20 * i, 30, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Of(r[23]), (Fields{2, 370, 50, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Of(r[25]), (Fields{2, 370, 90, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Of(r[26]), (Fields{1, 50, -10, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Of(r[28]), (Fields{1, 10, -10, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Of(r[29]), (Fields{2, 5, 7, 0, 0, 0, 0, 0}));
    EXPECT_EQ(p.levels[0].recordLines[22], 2);
    EXPECT_EQ(p.levels[0].recordLines[23], 3);
}

TEST(PackText, ErrorsNameTheirLineAndTheRestIsStillRead) {
    const ParsedText p = ParseLevelText(
        "block 1 2\n"                      // 1: before any level
        "level \"A\"\n"
        "block 32767 -32768\n"             // 3: fine, the int16 ends
        "block 32768 0\n"                  // 4
        "hamster 1 -32769\n"               // 5
        "exit 1 2 3 99999999999999999999\n"  // 6
        "block row y=30 x=70..515\n"       // 7
        "blok 1 2\n"                       // 8
        "brick column x=1..41 y=3\n"       // 9
        "fixed-bomb 1 2 fuse\n"            // 10
        "bomb 4\n"                         // 11
        "record 1 2 3 4 5 6 7 8 9\n"       // 12
        "hamster 1x 2\n"                   // 13
        "level \"unclosed\n"               // 14
        "level \"B\" \"C\"\n"              // 15
        "level \"" + std::string(128, 'n') + "\"\n"  // 16
        "record 0 5\n"
        "hamster 1 2\n");                  // 18: after the type-0 record
    const std::vector<std::string> m = Messages(p);
    ASSERT_EQ(m.size(), 15u);
    const char* expected[] = {
        "t.txt:1: error: a record before the first level",
        "t.txt:4: error: x: 32768 is outside the 16-bit range",
        "t.txt:5: error: y: -32769 is outside",
        "t.txt:6: error: h: 99999999999999999999 is outside",
        "t.txt:7: error: x=70..515: the two ends must lie a whole number of 20-pixel grid steps apart",
        "t.txt:8: error: unknown statement 'blok'",
        "t.txt:9: error: a column has one x",
        "t.txt:10: error: fixed-bomb takes  X Y fuse N",
        "t.txt:11: error: bomb takes nothing",
        "t.txt:12: error: record takes the type and up to seven more fields",
        "t.txt:13: error: x: '1x' is not a whole number",
        "t.txt:14: error: the closing quote of the name is missing",
        "t.txt:15: error: expected  level \"Name\"",
        "t.txt:16: error: the level name is 128 bytes long; at most 127",
        "t.txt:18: error: a record after this level's type-0 record (line 17)",
    };
    for (std::size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(m[i].rfind(expected[i], 0), 0u) << m[i] << "\nshould start with\n" << expected[i];
    // The good line between the faulty ones still made its record.
    ASSERT_GE(p.levels.size(), 1u);
    EXPECT_EQ(Of(p.levels[0].records[0]), (Fields{1, 32767, -32768, 0, 0, 0, 0, 0}));
}

TEST(PackText, RecordsPrintInTheirShortFormOnlyWhenItIsExact) {
    auto rec = [](Fields f) {
        return LevelRecord{int16_t(f[0]), int16_t(f[1]), int16_t(f[2]), int16_t(f[3]),
                           int16_t(f[4]), int16_t(f[5]), int16_t(f[6]), int16_t(f[7])};
    };
    EXPECT_EQ(FormatRecord(rec({1, 70, 30, 0, 0, 0, 0, 0})), "block 70 30");
    EXPECT_EQ(FormatRecord(rec({1, 70, 30, 5, 0, 0, 0, 0})), "record 1 70 30 5 0 0 0 0");
    EXPECT_EQ(FormatRecord(rec({3, -1, 2, 0, 0, 0, 0, 9})), "record 3 -1 2 0 0 0 0 9");
    EXPECT_EQ(FormatRecord(rec({4, -2048, -2048, 0, 0, 4, 0, 0})), "bomb");
    EXPECT_EQ(FormatRecord(rec({4, 0, 0, 0, 0, 0, 0, 0})), "record 4 0 0 0 0 0 0 0");
    EXPECT_EQ(FormatRecord(rec({5, 300, 200, 0, 0, -2, 0, 0})), "fixed-bomb 300 200 fuse -2");
    EXPECT_EQ(FormatRecord(rec({5, 300, 200, 1, 0, 4, 0, 0})), "record 5 300 200 1 0 4 0 0");
    EXPECT_EQ(FormatRecord(rec({7, 1, 2, -3, 0, 0, 0, 0})), "exit 1 2 -3 0");
    EXPECT_EQ(FormatRecord(rec({7, 1, 2, 3, 4, 1, 0, 0})), "record 7 1 2 3 4 1 0 0");
    EXPECT_EQ(FormatRecord(rec({8, 1, 2, 3, 4, 5, 6, 7})), "record 8 1 2 3 4 5 6 7");
}

TEST(PackText, PrintedLevelsUseRunsAndReadBackUnchanged) {
    const ParsedText p = ParseLevelText(
        "level \"Quote \\\" and \\\\\"\n"
        "block 10 10\nblock 30 10\nblock 50 10\n"  // a row
        "brick 70 10\n"                           // another type ends it
        "brick 70 30\nbrick 70 50\n"               // so these two and it make a column
        "block 10 50\nblock 50 50\n"               // two cells apart: no run
        "block 90 90\nrecord 1 110 90 0 0 0 1 0\n" // a raw record breaks a run
        "brick 210 10\nbrick 190 10\nbrick 170 10\n"
        "record 0 0 0 0 0 0 0 1\n");
    ASSERT_TRUE(p.errors.empty()) << Messages(p)[0];
    const std::string text = FormatLevelText(p.levels, "heading\nsecond");
    EXPECT_EQ(text,
              "# heading\n# second\n\n"
              "level \"Quote \\\" and \\\\\"\n"
              "block row y=10 x=10..50\n"
              "brick column x=70 y=10..50\n"
              "block 10 50\nblock 50 50\nblock 90 90\n"
              "record 1 110 90 0 0 0 1 0\n"
              "brick row y=10 x=210..170\n"
              "record 0 0 0 0 0 0 0 1\n");
    const ParsedText again = ParseLevelText(text);
    ASSERT_TRUE(again.errors.empty()) << Messages(again)[0];
    ASSERT_EQ(again.levels.size(), 1u);
    EXPECT_EQ(again.levels[0].name, p.levels[0].name);
    EXPECT_EQ(AllOf(again.levels[0]), AllOf(p.levels[0]));
}

// A few kilobytes of rows can ask for millions of records: the text stops
// where the game's reader would, so checking or building it stays bounded.
TEST(PackText, NoMoreRecordsThanTheGameReads) {
    std::string text = "level \"full\"\n";
    for (int i = 0; i < 1280; ++i) text += "block row y=10 x=-32750..32750\n";  // 3276 each
    text += "block row y=30 x=10..20450\n";  // 1023 more: with the terminator, exactly the limit
    ParsedText p = ParseLevelText(text);
    ASSERT_TRUE(p.errors.empty()) << Messages(p)[0];
    ASSERT_EQ(p.levels[0].records.size(), kMaxPackRecords);
    p = ParseLevelText(text + "bomb\nnonsense\n");
    ASSERT_EQ(p.errors.size(), 1u);  // the text is read no further
    EXPECT_EQ(Messages(p)[0], "t.txt:1283: error: more than 4194304 records in all, more than the game reads "
                              "from a pack; the text is read no further");
    p = ParseLevelText(text + "level \"one more\"\n");
    EXPECT_EQ(p.errors.size(), 1u);
    EXPECT_EQ(p.levels.size(), 1u);
}

}  // namespace
