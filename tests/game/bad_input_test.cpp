// Broken and hostile level pack files, followed from the file to the frames:
// each pack is read by the game's reader, and every level it yields is built
// and played through the real frame function. Nothing may crash, hang or
// lose a level the file holds whole.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/game_flow.h"
#include "game/scripted_play.h"
#include "packs/pack_reader.h"
#include "sim/particles.h"

namespace {

namespace fs = std::filesystem;

// A pack file written byte by byte, as any other program might write it.
class PackBytes {
public:
    PackBytes() { bytes_.assign(kPackFileHeaderSize, '\0'); }
    PackBytes& Level(const std::vector<LevelRecord>& records) {
        bytes_.append(kPackLevelHeaderSize, '\0');
        for (const LevelRecord& r : records) Add(r);
        Add(Rec(REC_END));
        return *this;
    }
    const std::string& Bytes() const { return bytes_; }

private:
    void Add(const LevelRecord& r) {
        for (int16_t f : {r.type, r.x, r.y, r.w, r.h, r.param, r.reserved0, r.reserved1}) {
            bytes_.push_back(static_cast<char>(f & 0xFF));
            bytes_.push_back(static_cast<char>((f >> 8) & 0xFF));
        }
    }
    std::string bytes_;
};

class BadPack : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        dir_ = fs::temp_directory_path() /
               ("zandrove_bad_" + std::to_string(getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::remove_all(dir_);
        FrameTest::TearDown();
    }

    std::string Write(const std::string& bytes) {
        const fs::path path = dir_ / "pack.zpk";
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }
    // Read by the game's reader; its levels are the ones played.
    void Load(const std::string& bytes) {
        PackFile pack;
        std::string error;
        ASSERT_TRUE(ReadPackFile(Write(bytes), pack, error)) << error;
        levels = std::move(pack.levels);
    }
    const LevelRecord* Records(size_t i) const { return levels[i].records.data(); }

    // Level i of the pack: built (its objects counted), a frame in edit
    // mode, Space, then run frames; the frame function's last answer is
    // returned.
    bool PlayLevel(size_t i, int runFrames) {
        Start(Records(i));
        builtObjects = world.ObjectList.size();
        Frames();
        io.Hold(kKeySpace);
        bool goOn = Frames();
        io.Hold(kKeySpace, false);
        for (int f = 0; f < runFrames && goOn; ++f) goOn = Frames();
        EndLevel(state);
        return goOn;
    }
    int Count(int kind) const {
        int n = 0;
        for (cObject* o : world.ObjectList) n += o->Kind() == kind;
        return n;
    }

    LevelList levels;
    size_t builtObjects = 0;
    fs::path dir_;
};

// A small level with one of everything: a hamster on two blocks, a brick,
// an inventory bomb, a fixed bomb beside the hamster and an exit.
const std::vector<LevelRecord> kEverything = {
    Rec(REC_BOMB, -2048, -2048, 0, 0, 4), Rec(REC_HAMSTER, 100, 104), Rec(REC_BLOCK, 90, 130),
    Rec(REC_BLOCK, 110, 130),             Rec(REC_BRICK, 130, 130),   Rec(REC_FIXED_BOMB, 80, 120, 0, 0, 1),
    Rec(REC_EXIT, 500, 100, 40, 40),
};
const std::vector<LevelRecord> kTwoBlocks = {Rec(REC_BLOCK, 10, 10), Rec(REC_BLOCK, 30, 10)};

TEST_F(BadPack, EmptyOrTooShortPacksEndTheGameBeforeAnyFrame) {
    const size_t firstRecordEnd = kPackFileHeaderSize + kPackLevelHeaderSize + sizeof(LevelRecord);
    for (size_t size : {size_t{0}, size_t{kPackFileHeaderSize}, firstRecordEnd - 1}) {
        SCOPED_TRACE("size " + std::to_string(size));
        Load(std::string(size, '\0'));
        EXPECT_TRUE(levels.empty());
        PlayLevels(state, levels, Bitmaps(), io);
        EXPECT_EQ(io.presented, 0);
        EXPECT_TRUE(world.ObjectList.empty());
    }
}

TEST_F(BadPack, CutAtEveryOffsetPlaysEveryLevelItHoldsWhole) {
    const std::string whole = PackBytes().Level(kEverything).Level(kTwoBlocks).Bytes();
    const size_t firstEnd = kPackFileHeaderSize + kPackLevelHeaderSize + 8 * sizeof(LevelRecord);
    for (size_t cut = 0; cut <= whole.size(); ++cut) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        Load(whole.substr(0, cut));
        const size_t expected = (cut >= firstEnd ? 1 : 0) + (cut == whole.size() ? 1 : 0);
        ASSERT_EQ(levels.size(), expected);
        for (size_t i = 0; i < levels.size(); ++i) {
            PlayLevel(i, 2);
            EXPECT_EQ(builtObjects, i == 0 ? kEverything.size() : kTwoBlocks.size());
        }
    }
}

TEST_F(BadPack, AHundredThousandRecordLevelIsBuiltAndRuns) {
    constexpr int kRecords = 100000;
    std::vector<LevelRecord> records;
    size_t built = 0, bombs = 0, hamsters = 0;
    for (int i = 0; i < kRecords; ++i) {
        const int16_t x = static_cast<int16_t>(i % 640), y = static_cast<int16_t>((i / 640) * 3);
        const int16_t types[] = {REC_BLOCK, REC_BRICK, REC_HAMSTER, 6, REC_FIXED_BOMB, REC_EXIT, REC_BOMB};
        const int16_t type = types[i % 7];
        records.push_back(Rec(type, x, y, 20, 20, static_cast<int16_t>(i % 5 - 2)));
        if (type == REC_HAMSTER && ++hamsters > kMaxHamsters) continue;  // not built
        built += type != 6;
        bombs += type == REC_BOMB;
    }
    Load(PackBytes().Level(records).Level(kTwoBlocks).Bytes());
    ASSERT_EQ(levels.size(), 2u);
    Start(Records(0));
    EXPECT_EQ(world.HamsterCount, kMaxHamsters);
    EXPECT_EQ(world.ObjectList.size(), built);
    EXPECT_EQ(world.BombList.size(), bombs);
    EndLevel(state);
    EXPECT_TRUE(PlayLevel(0, 3));
    EXPECT_TRUE(PlayLevel(1, 3));
}

TEST_F(BadPack, FortyHamstersBuildThirtyTwoThatCanStillCompleteTheLevel) {
    // Two floors of 20 hamsters each, all inside one exit over the whole field.
    std::vector<LevelRecord> records = {Rec(REC_EXIT, 0, 0, 640, 480)};
    for (int16_t floorY : {110, 310})
        for (int16_t x = 10; x < 640; x += 20) records.push_back(Rec(REC_BLOCK, x, floorY));
    for (int16_t floorY : {110, 310})
        for (int k = 0; k < 20; ++k)
            records.push_back(Rec(REC_HAMSTER, static_cast<int16_t>(15 + 30 * k), floorY - 26));
    Load(PackBytes().Level(records).Bytes());
    ASSERT_EQ(levels.size(), 1u);
    Start(Records(0));
    EXPECT_EQ(world.HamsterCount, kMaxHamsters);
    EXPECT_EQ(Count(KIND_HAMSTER) + Count(KIND_HAMSTER_FAST), kMaxHamsters);
    Tap(kKeySpace);
    int frames = 0;
    while (Frames() && frames < 1000) ++frames;
    EXPECT_TRUE(world.LevelComplete) << "32 hamsters in their exit never completed the level";
    EXPECT_EQ(world.ExitMask, 0xFFFFFFFFu);
}

TEST_F(BadPack, NineInventoryBombsOnlyFiveOfThemCanBeTaken) {
    std::vector<LevelRecord> records(9, Rec(REC_BOMB, -2048, -2048, 0, 0, 4));
    records.push_back(Rec(REC_HAMSTER, 300, 224));
    records.push_back(Rec(REC_BLOCK, 300, 250));
    Load(PackBytes().Level(records).Bytes());
    ASSERT_EQ(levels.size(), 1u);
    Start(Records(0));
    ASSERT_EQ(world.BombList.size(), 9u);
    for (int slot = 0; slot < 9; ++slot) TakeBomb(slot);
    int placed = 0;
    for (bool p : world.BombPlaced) placed += p;
    EXPECT_EQ(placed, 5);
    for (int k = KeyDigit(1); k <= KeyDigit(9); ++k) Tap(k);
    EXPECT_EQ(world.SelectedBomb, world.BombList[4]);  // the 6th to 9th never left the inventory
    Tap(kKeySpace);
    EXPECT_TRUE(Frames(200));  // all nine burn and burst, four of them off the field
    EXPECT_LE(world.ParticlePool.nextSlot, kParticleSlots - 1);
}

TEST_F(BadPack, FieldsAtTheSixteenBitLimitsPlaySixHundredFrames) {
    constexpr int16_t kMin = -32768, kMax = 32767;
    const std::vector<LevelRecord> records = {
        Rec(REC_BOMB, kMin, kMax, kMax, kMin, kMin),
        Rec(REC_HAMSTER, kMax, kMax),
        Rec(REC_HAMSTER, kMin, kMin),
        Rec(REC_HAMSTER, 300, 200),
        Rec(REC_BLOCK, kMin, kMax),
        Rec(REC_BRICK, kMax, kMin),
        Rec(REC_FIXED_BOMB, 310, 210, 0, 0, kMin),
        Rec(REC_FIXED_BOMB, kMax, kMax, 0, 0, kMax),
        Rec(REC_FIXED_BOMB, 290, 230, 0, 0, -1),
        Rec(REC_EXIT, kMin, kMin, kMax, kMax),
        Rec(REC_EXIT, kMax, kMax, kMin, kMin),
        Rec(REC_EXIT, 0, 0, kMin, kMax),
    };
    Load(PackBytes().Level(records).Bytes());
    ASSERT_EQ(levels.size(), 1u);
    Start(Records(0));
    EXPECT_EQ(world.HamsterCount, 3);
    const auto* shortest = static_cast<cFixedBomb*>(world.ObjectList[6]);
    EXPECT_EQ(shortest->Fuse, 6);  // a negative fuse burns as the shortest one
    EXPECT_EQ(static_cast<cFixedBomb*>(world.ObjectList[8])->Fuse, 6);
    EXPECT_EQ(static_cast<cFixedBomb*>(world.ObjectList[7])->Fuse, kMax * 15);

    // The inventory bomb taken, then dragged and nudged to the corner of the 16-bit range.
    TakeBomb(0);
    world.BombList[0]->HomeX = kMax;
    world.BombList[0]->HomeY = kMin;
    Tap(kKeyRight);
    Tap(kKeyUp);
    EXPECT_EQ(world.BombList[0]->HomeX, kMin);  // the home wraps as a 16-bit field
    EXPECT_EQ(world.BombList[0]->HomeY, kMax);
    Tap(kKeySpace);
    Frames(600);  // with exits this odd, whether it completes is no matter
    Tap(kKeySpace);  // back to edit mode: every object reset
    EXPECT_TRUE(world.EditMode);
    EXPECT_EQ(shortest->Count, 6);
}

TEST_F(BadPack, OnlyUnknownTypesGiveEmptyLevelsThatEachEndAfter121Frames) {
    const std::vector<LevelRecord> unknown = {Rec(6, 10, 10), Rec(8, 20, 20), Rec(-1, 30, 30),
                                              Rec(static_cast<int16_t>(0x8000)), Rec(0x7FFF)};
    Load(PackBytes().Level(unknown).Level(unknown).Bytes());
    ASSERT_EQ(levels.size(), 2u);
    Start(Records(0));
    EXPECT_TRUE(world.ObjectList.empty());
    EndLevel(state);
    state = GameState{};
    PlayLevels(state, levels, Bitmaps(), io);
    EXPECT_EQ(io.presented, 2 * 121);  // no hamster: complete at once, even in edit mode
    EXPECT_EQ(state.levelIndex, 2);
}

}  // namespace
