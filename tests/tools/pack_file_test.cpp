#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "packs/builtin_levels.h"
#include "packs/pack_reader.h"
#include "packs/pack_writer.h"
#include "packs/text_parser.h"
#include "packs/text_printer.h"
#include "pack_test_dir.h"

namespace {

using PackFiles = PackTestDir;

constexpr std::size_t kRec = sizeof(LevelRecord);

LevelRecord Rec(int t, int x, int y, int w = 0, int h = 0, int p = 0, int r0 = 0, int r1 = 0) {
    return {int16_t(t), int16_t(x), int16_t(y), int16_t(w), int16_t(h), int16_t(p), int16_t(r0), int16_t(r1)};
}

PackLevel Level(std::string name, std::vector<LevelRecord> records) {
    PackLevel l;
    l.name = std::move(name);
    l.records = std::move(records);
    return l;
}

uint32_t U32At(const std::vector<unsigned char>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}

std::string RecordBytes(const std::vector<LevelRecord>& records) {
    return std::string(reinterpret_cast<const char*>(records.data()), records.size() * kRec);
}

TEST_F(PackFiles, WrittenPackHasTheGamesLayout) {
    const LevelList levels = {Level("Two", {Rec(4, -2048, -2048, 0, 0, 4), Rec(0, 0, 0)}),
                              Level("", {Rec(1, 0x1234, -2, 3, 4, 5, 6, 7), Rec(0, 0, 0)})};
    const std::vector<unsigned char> b = EncodePack(levels);
    ASSERT_EQ(b.size(), 1424u + (128 + 2 * kRec) + (128 + 2 * kRec));
    // File header: magic, version 1 and the level count, little-endian; zeros after.
    EXPECT_EQ(std::memcmp(b.data(), "ZANDROVE-PACK\0\0\0", 16), 0);
    EXPECT_EQ(U32At(b, 16), 1u);
    EXPECT_EQ(U32At(b, 20), 2u);
    for (std::size_t i = 24; i < 1424; ++i) ASSERT_EQ(b[i], 0) << "file header byte " << i;
    // Level header: the name, zero-padded to 128 bytes.
    EXPECT_EQ(std::memcmp(b.data() + 1424, "Two\0", 4), 0);
    for (std::size_t i = 1424 + 3; i < 1424 + 128; ++i) ASSERT_EQ(b[i], 0);
    // Records: eight little-endian int16 each; -2048 is 0x00 0xF8.
    const unsigned char bomb[16] = {4, 0, 0x00, 0xF8, 0x00, 0xF8, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(b.data() + 1552, bomb, 16), 0);
    const std::size_t second = 1424 + 128 + 2 * kRec;
    for (std::size_t i = 1552 + 16; i < second; ++i) EXPECT_EQ(b[i], 0) << "terminator byte " << i;
    const unsigned char block[16] = {1, 0, 0x34, 0x12, 0xFE, 0xFF, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0};
    EXPECT_EQ(std::memcmp(b.data() + second + 128, block, 16), 0);
    // The last thing in the file is the last level's terminator.
    EXPECT_EQ(std::memcmp(b.data() + b.size() - 16, "\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 16), 0);

    // A level without a terminator gets one; nothing after the first is written.
    const std::vector<unsigned char> fixed = EncodePack({Level("x", {Rec(1, 1, 1), Rec(0, 9, 9), Rec(2, 2, 2)})});
    EXPECT_EQ(fixed.size(), 1424u + 128 + 2 * kRec);
    EXPECT_EQ(EncodePack({Level("x", {Rec(1, 1, 1)})}).size(), 1424u + 128 + 2 * kRec);
}

TEST_F(PackFiles, BuiltinLevelsSurviveTextAndPackUnchanged) {
    const std::string text = FormatLevelText(BuiltinLevelList());
    const ParsedText parsed = ParseLevelText(text);
    ASSERT_TRUE(parsed.errors.empty()) << FormatTextError("builtin", parsed.errors[0]);
    const std::string path = Write("builtin.pak", EncodePack(parsed.levels));

    PackFile pack;
    std::string why;
    ASSERT_TRUE(ReadPackFile(path, pack, why)) << why;
    ASSERT_EQ(pack.levels.size(), 10u);
    const std::size_t counts[10] = {91, 67, 23, 75, 64, 30, 107, 21, 55, 46};
    for (int i = 0; i < 10; ++i) {
        const std::vector<LevelRecord>& got = pack.levels[i].records;
        ASSERT_EQ(got.size(), counts[i]) << "level " << i + 1;
        EXPECT_EQ(std::memcmp(got.data(), BuiltinLevels[i], got.size() * kRec), 0) << "level " << i + 1;
        EXPECT_EQ(pack.levels[i].name, "Level " + std::to_string(i + 1));
    }
    EXPECT_TRUE(pack.namedHeaders);
    EXPECT_EQ(pack.TrailingBytes(), 0u);
}

TEST_F(PackFiles, ForeignPackWithOddRecordsRoundTripsByteForByte) {
    const std::vector<LevelRecord> first = {Rec(6, 1, 2, 3, 4, 5, 0, 0), Rec(-1, -1, -1, -1, -1, -1, -1, -1),
                                            Rec(1, 70, 30, 0, 0, 0, 0, 1), Rec(1, 90, 30, 20, 20),
                                            Rec(1, 110, 30), Rec(1, 130, 30), Rec(4, 0, 0, 0, 0, 9),
                                            Rec(3, 5, 5, 0, 0, 7), Rec(7, 1, 2, 0, 0, 0, 5, 0),
                                            Rec(0, 1, 2, 3, 4, 5, 6, 7)};
    const std::vector<LevelRecord> second = {Rec(2, 90, 10), Rec(2, 70, 10), Rec(2, 70, 30), Rec(0, 0, 0)};
    // Another program's headers: not this tool's magic, so no names in them.
    const std::string original = std::string(1424, '\xA5') + std::string(128, 'Z') + RecordBytes(first) +
                                 std::string(128, 'Y') + RecordBytes(second);
    const std::string path = Write("foreign.pak", original);

    PackFile pack;
    std::string why;
    ASSERT_TRUE(ReadPackFile(path, pack, why)) << why;
    EXPECT_FALSE(pack.namedHeaders);
    ASSERT_EQ(pack.levels.size(), 2u);
    EXPECT_EQ(pack.levels[1].name, "Level 2");

    const ParsedText parsed = ParseLevelText(FormatLevelText(pack.levels));
    ASSERT_TRUE(parsed.errors.empty()) << FormatTextError("dump", parsed.errors[0]);
    const std::vector<unsigned char> rebuilt = EncodePack(parsed.levels);
    ASSERT_EQ(rebuilt.size(), original.size());
    const std::string r(rebuilt.begin(), rebuilt.end());
    EXPECT_EQ(r.substr(1552, first.size() * kRec), RecordBytes(first));
    EXPECT_EQ(r.substr(1552 + first.size() * kRec + 128), RecordBytes(second));
}

TEST_F(PackFiles, ReaderTellsWhereTheGameStopsReading) {
    const std::vector<unsigned char> whole =
        EncodePack({Level("A", {Rec(3, 1, 1), Rec(0, 0, 0)}), Level("B", {Rec(1, 1, 1), Rec(2, 2, 2), Rec(0, 0, 0)})});
    const std::string bytes(whole.begin(), whole.end());
    const std::size_t secondStart = 1424 + 128 + 2 * kRec;
    struct Case {
        std::size_t size;
        std::size_t levels;
        uint64_t trailing;
    } cases[] = {
        {bytes.size(), 2, 0},
        {bytes.size() - 1, 1, bytes.size() - 1 - secondStart},  // the last terminator is cut
        {secondStart + 128 + kRec + 3, 1, 128 + kRec + 3},      // inside the second record
        {secondStart + 5, 1, 5},                                // inside the level header
        {1424 + 100, 0, 100},
        {1000, 0, 0},  // shorter than the file header: nothing is read
    };
    for (const Case& c : cases) {
        PackFile pack;
        std::string why;
        ASSERT_TRUE(ReadPackFile(Write("cut.pak", bytes.substr(0, c.size)), pack, why)) << why;
        EXPECT_EQ(pack.levels.size(), c.levels) << "size " << c.size;
        EXPECT_EQ(pack.TrailingBytes(), c.trailing) << "size " << c.size;
        EXPECT_EQ(pack.fileSize, c.size);
        if (c.levels > 0) {
            EXPECT_EQ(pack.levelOffsets[0], 1424u);
        }
    }

    PackFile pack;
    std::string why;
    EXPECT_FALSE(ReadPackFile(PathOf("missing.pak"), pack, why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(ReadPackFile(dir_.string(), pack, why));
    EXPECT_EQ(why, "is a directory");
}

}  // namespace
