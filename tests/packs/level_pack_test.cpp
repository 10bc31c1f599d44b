#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "packs/pack_reader.h"

namespace fs = std::filesystem;

namespace {

using Fields = std::array<int, 8>;

Fields Of(const LevelRecord& r) { return {r.type, r.x, r.y, r.w, r.h, r.param, r.reserved0, r.reserved1}; }

// A pack file assembled byte by byte, as another program would write it.
class PackBytes {
public:
    PackBytes& FileHeader() { return Fill(kPackFileHeaderSize, '\xA5'); }
    PackBytes& LevelHeader() { return Fill(kPackLevelHeaderSize, '\x5A'); }
    PackBytes& Fill(int n, char c) {
        bytes_.append(static_cast<size_t>(n), c);
        return *this;
    }
    PackBytes& Record(const Fields& f) {
        for (int v : f) {
            const auto u = static_cast<uint16_t>(v);
            bytes_.push_back(static_cast<char>(u & 0xFF));
            bytes_.push_back(static_cast<char>(u >> 8));
        }
        return *this;
    }
    PackBytes& Level(const std::vector<Fields>& records) {
        LevelHeader();
        for (const Fields& f : records) Record(f);
        return *this;
    }
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

constexpr Fields kEnd = {0, 0, 0, 0, 0, 0, 0, 0};

class LevelPack : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               ("zandrove_pack_" + std::to_string(getpid()) + "_" + info->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Write(const std::string& bytes, const std::string& name = "pack.lvl") {
        const fs::path path = dir_ / name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }
    // Reads the file at path as the game does; the levels read stay in pack.
    void Read(const std::string& path) {
        std::string error;
        ASSERT_TRUE(ReadPackFile(path, pack, error)) << error;
    }
    void Load(const PackBytes& bytes) { Read(Write(bytes.Bytes())); }

    // The stored records of pack level i up to and including its terminator.
    std::vector<Fields> Level(size_t i) const {
        std::vector<Fields> out;
        if (i >= pack.levels.size()) {
            ADD_FAILURE() << "no pack level " << i;
            return out;
        }
        for (const LevelRecord& r : pack.levels[i].records) out.push_back(Of(r));
        return out;
    }

    void ExpectLevels(size_t n) const { EXPECT_EQ(pack.levels.size(), n); }

    PackFile pack;
    fs::path dir_;
};

const std::vector<Fields> kLevelA = {{1, 70, 30, 0, 0, 0, 0, 0}, {3, 80, 84, 0, 0, 0, 0, 0}, kEnd};
const std::vector<Fields> kLevelB = {{4, -2048, -2048, 0, 0, 4, 0, 0}, {7, 420, 320, 100, 40, 0, 0, 0}, kEnd};

PackBytes TwoLevelPack() {
    PackBytes pack;
    pack.FileHeader().Level(kLevelA).Level(kLevelB);
    return pack;
}

TEST_F(LevelPack, SmallestPackHoldsOneEmptyLevel) {
    PackBytes bytes;
    bytes.FileHeader().Level({kEnd});
    ASSERT_EQ(bytes.Bytes().size(), 1424u + 128u + 16u);
    Load(bytes);
    ExpectLevels(1);
    EXPECT_EQ(Level(0), std::vector<Fields>{kEnd});
}

TEST_F(LevelPack, LevelsKeepFileOrderRecordOrderAndTheirTerminators) {
    const PackBytes bytes = TwoLevelPack();
    ASSERT_EQ(bytes.Bytes().size(), 1424u + 2u * (128u + 3u * 16u));
    Load(bytes);
    ExpectLevels(2);
    EXPECT_EQ(Level(0), kLevelA);
    EXPECT_EQ(Level(1), kLevelB);
    // Another program's headers hold no names: the levels are numbered.
    EXPECT_EQ(pack.levels[1].name, "Level 2");
}

TEST_F(LevelPack, TrailingBytesAfterTheLastLevel) {
    // Too few bytes for a header and a whole record: ignored.
    for (int extra : {1, 16, 127, 128, 128 + 15}) {
        SCOPED_TRACE("extra bytes " + std::to_string(extra));
        PackBytes bytes = TwoLevelPack();
        bytes.Fill(extra, '\x01');
        Load(bytes);
        ExpectLevels(2);
        EXPECT_EQ(Level(1), kLevelB);
    }
    {
        SCOPED_TRACE("a header and a lone terminator");
        PackBytes bytes = TwoLevelPack();
        bytes.Level({kEnd});
        Load(bytes);
        ExpectLevels(3);
        EXPECT_EQ(Level(2), std::vector<Fields>{kEnd});
    }
    {
        SCOPED_TRACE("a header and records without a terminator");
        PackBytes bytes = TwoLevelPack();
        bytes.Level({{1, 10, 10, 0, 0, 0, 0, 0}, {2, 30, 10, 0, 0, 0, 0, 0}});
        Load(bytes);
        ExpectLevels(2);
        EXPECT_EQ(Level(1), kLevelB);
    }
}

TEST_F(LevelPack, RecordsAreStoredExactlyAsWritten) {
    // Only type 0 ends a level; every other value and every field is kept.
    const std::vector<Fields> odd = {
        {-1, 1, 2, 3, 4, 5, 6, 7},
        {6, -2048, 479, -1, 32767, -32768, 0x1234, -2},
        {5, 300, 200, 9, 9, 0, 0, 0},
        {0x7FFF, 0, 0, 0, 0, 0, 0, 0},
        {-32768, 10, 10, 20, 20, 4, 1, 1},
        {1, 10, 10, 55, -55, 12, 0, 0},
        {0, 11, -12, 13, 14, 15, 16, 17},  // a terminator's other fields are kept too
    };
    PackBytes bytes;
    bytes.FileHeader().Level(odd).Level({kEnd});
    Load(bytes);
    ExpectLevels(2);
    EXPECT_EQ(Level(0), odd);
    EXPECT_EQ(Level(1), std::vector<Fields>{kEnd});

    // Fields are little-endian 16-bit values whatever the host.
    PackBytes raw;
    raw.FileHeader().LevelHeader();
    const char record[16] = {'\x07', '\x00', '\x34', '\x12', '\x00', '\xF8', '\xFF', '\x7F',
                             '\x00', '\x80', '\x01', '\x00', '\xFE', '\xFF', '\x00', '\x01'};
    std::string file = raw.Bytes() + std::string(record, 16);
    file.append(16, '\0');
    Read(Write(file));
    ExpectLevels(1);
    EXPECT_EQ(Level(0), (std::vector<Fields>{{7, 0x1234, -2048, 0x7FFF, -32768, 1, -2, 256}, kEnd}));
}

TEST_F(LevelPack, FileCutAtEveryLengthKeepsTheCompleteLevels) {
    const std::string whole = TwoLevelPack().Bytes();
    const size_t firstEnd = 1424 + 128 + 3 * 16;
    ASSERT_EQ(whole.size(), firstEnd + 128 + 3 * 16);
    const std::string path = Write("");
    for (size_t cut = 0; cut <= whole.size(); ++cut) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        Write(whole.substr(0, cut));
        Read(path);
        const size_t expected = (cut >= firstEnd ? 1 : 0) + (cut == whole.size() ? 1 : 0);
        ExpectLevels(expected);
        if (expected >= 1) {
            EXPECT_EQ(Level(0), kLevelA);
        }
        if (expected == 2) {
            EXPECT_EQ(Level(1), kLevelB);
        }
        if (HasFailure()) break;
    }
}

TEST_F(LevelPack, VeryLongLevelLoadsWhole) {
    constexpr int kRecords = 100000;
    PackBytes bytes;
    bytes.FileHeader().LevelHeader();
    for (int i = 0; i < kRecords; ++i) bytes.Record({1 + i % 7, i % 640, i / 640, i % 3, 0, i % 11, 0, 0});
    bytes.Record(kEnd).Level(kLevelA);
    Load(bytes);
    ExpectLevels(2);
    const std::vector<Fields> big = Level(0);
    ASSERT_EQ(big.size(), static_cast<size_t>(kRecords + 1));
    for (int i : {0, 1, 639, 640, 54321, kRecords - 1})
        EXPECT_EQ(big[i], (Fields{1 + i % 7, i % 640, i / 640, i % 3, 0, i % 11, 0, 0})) << "record " << i;
    EXPECT_EQ(big.back(), kEnd);
    EXPECT_EQ(Level(1), kLevelA);
}

TEST_F(LevelPack, UnopenablePathsAreRefusedWithTheReason) {
    std::string error;
    EXPECT_FALSE(ReadPackFile((dir_ / "no such pack.lvl").string(), pack, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(pack.levels.empty());
    error.clear();
    EXPECT_FALSE(ReadPackFile(dir_.string(), pack, error));
    EXPECT_EQ(error, "is a directory");
    EXPECT_TRUE(pack.levels.empty());
}

TEST_F(LevelPack, FilesTooShortForALevelGiveNoLevels) {
    for (size_t size : {size_t{0}, size_t{1}, size_t{1424}, size_t{1424 + 128}, size_t{1424 + 128 + 15}}) {
        SCOPED_TRACE("size " + std::to_string(size));
        Read(Write(std::string(size, '\0')));
        ExpectLevels(0);
    }
}

// Only a regular file is read: /dev/zero would never end, and a FIFO with
// no writer would block before the game's window opens.
TEST_F(LevelPack, AnythingButARegularFileIsRefusedAtOnce) {
    alarm(20);  // a blocking open ends the test program instead of hanging it
    ASSERT_EQ(mkfifo((dir_ / "fifo").c_str(), 0600), 0);
    for (const std::string& path : {std::string("/dev/zero"), (dir_ / "fifo").string()}) {
        std::string error;
        EXPECT_FALSE(ReadPackFile(path, pack, error)) << path;
        EXPECT_EQ(error, "is not a regular file") << path;
        EXPECT_TRUE(pack.levels.empty());
    }
    alarm(0);
}

TEST_F(LevelPack, AHugeFileOfZerosStopsAtTheLevelBound) {
    // Zeros read as a run of empty levels; this (sparse) file holds 70,000.
    const std::string path = Write("");
    fs::resize_file(path, 1424 + 70000 * (128 + 16));
    Read(path);
    ExpectLevels(kMaxPackLevels);
    EXPECT_EQ(Level(kMaxPackLevels - 1), std::vector<Fields>{kEnd});
}

}  // namespace
