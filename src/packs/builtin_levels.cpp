// The ten levels shipped with the game, written as the rows and columns of the
// 20-pixel grid they are drawn on and expanded into record arrays at compile
// time. Record order matters (update order, inventory order, hamster numbers),
// so each level lists its pieces in exactly the order its records take.
#include <array>
#include <cstddef>
#include <cstdint>

#include "packs/builtin_levels.h"

namespace {

constexpr int kGrid = 20;

// One or more records of one type, the position advancing by (dx, dy) each time.
struct Run {
    LevelRecordType type;
    int16_t x, y, w, h, param;
    int16_t dx, dy;
    int16_t count;
};

// Called from constant evaluation only: a piece whose stated length disagrees
// with its end points stops the build instead of shifting a level.
constexpr int16_t CheckedCount(int from, int to, int count) {
    if (to < from || (to - from) % kGrid != 0 || (to - from) / kGrid + 1 != count)
        throw "a row or column's end points do not match its length";
    return static_cast<int16_t>(count);
}

constexpr Run Bomb() { return {REC_BOMB, -2048, -2048, 0, 0, 4, 0, 0, 1}; }
constexpr Run Hamster(int16_t x, int16_t y) { return {REC_HAMSTER, x, y, 0, 0, 0, 0, 0, 1}; }
constexpr Run Exit(int16_t x, int16_t y, int16_t w, int16_t h) { return {REC_EXIT, x, y, w, h, 0, 0, 0, 1}; }
constexpr Run Block(int16_t x, int16_t y) { return {REC_BLOCK, x, y, 0, 0, 0, 0, 0, 1}; }

constexpr Run Row(LevelRecordType type, int16_t y, int16_t fromX, int16_t toX, int n) {
    return {type, fromX, y, 0, 0, 0, kGrid, 0, CheckedCount(fromX, toX, n)};
}
constexpr Run Column(LevelRecordType type, int16_t x, int16_t fromY, int16_t toY, int n) {
    return {type, x, fromY, 0, 0, 0, 0, kGrid, CheckedCount(fromY, toY, n)};
}
constexpr Run BlockRow(int16_t y, int16_t fromX, int16_t toX, int n) { return Row(REC_BLOCK, y, fromX, toX, n); }
constexpr Run BrickRow(int16_t y, int16_t fromX, int16_t toX, int n) { return Row(REC_BRICK, y, fromX, toX, n); }
constexpr Run BlockColumn(int16_t x, int16_t fromY, int16_t toY, int n) { return Column(REC_BLOCK, x, fromY, toY, n); }
constexpr Run BrickColumn(int16_t x, int16_t fromY, int16_t toY, int n) {
    return Column(REC_BRICK, x, fromY, toY, n);
}

template <std::size_t N>
constexpr std::size_t RecordCount(const Run (&runs)[N]) {
    std::size_t count = 1;  // the terminator
    for (const Run& run : runs) count += static_cast<std::size_t>(run.count);
    return count;
}

template <std::size_t Records, std::size_t N>
constexpr std::array<LevelRecord, Records> Expand(const Run (&runs)[N]) {
    std::array<LevelRecord, Records> out{};  // ends with the all-zero terminator
    std::size_t i = 0;
    for (const Run& run : runs) {
        for (int k = 0; k < run.count; ++k) {
            out[i++] = {static_cast<int16_t>(run.type),
                        static_cast<int16_t>(run.x + k * run.dx),
                        static_cast<int16_t>(run.y + k * run.dy),
                        run.w,
                        run.h,
                        run.param,
                        0,
                        0};
        }
    }
    return out;
}

// The record array of a level, in static storage.
template <const auto& Runs>
constexpr auto kLevel = Expand<RecordCount(Runs)>(Runs);

constexpr Run kLevel1[] = {
    Bomb(),
    Bomb(),
    Hamster(80, 84),
    BlockRow(30, 70, 510, 23),
    BlockRow(110, 70, 390, 17),
    BrickColumn(370, 50, 90, 3),
    BrickColumn(390, 50, 90, 3),
    BrickColumn(410, 50, 90, 3),
    BlockRow(370, 410, 530, 7),
    BlockColumn(410, 110, 350, 13),
    BlockColumn(530, 30, 350, 17),
    Exit(420, 320, 100, 40),
};

constexpr Run kLevel2[] = {
    Bomb(),
    Hamster(80, 84),
    BlockRow(30, 70, 510, 23),
    BlockRow(110, 70, 110, 3),
    BlockRow(370, 410, 530, 7),
    BlockColumn(410, 110, 350, 13),
    BlockColumn(530, 30, 350, 17),
    Exit(420, 320, 100, 40),
};

constexpr Run kLevel3[] = {
    Bomb(),
    Hamster(240, 344),
    BlockRow(370, 210, 370, 9),
    BlockColumn(290, 270, 350, 5),
    BlockColumn(370, 270, 350, 5),
    Exit(300, 320, 60, 40),
};

constexpr Run kLevel4[] = {
    Bomb(),
    Hamster(80, 84),
    BlockRow(30, 70, 530, 24),
    BlockRow(110, 70, 390, 17),
    BlockRow(370, 410, 530, 7),
    BlockColumn(410, 110, 350, 13),
    BlockColumn(530, 170, 350, 10),
    Exit(420, 320, 100, 40),
};

constexpr Run kLevel5[] = {
    Bomb(),
    Hamster(280, 264),
    Hamster(360, 264),
    BlockRow(290, 270, 370, 6),
    BlockColumn(50, 290, 350, 4),
    BlockColumn(150, 290, 350, 4),
    BlockColumn(250, 290, 350, 4),
    BlockColumn(390, 290, 350, 4),
    BlockColumn(490, 290, 350, 4),
    BlockColumn(590, 290, 350, 4),
    BlockRow(370, 50, 590, 28),
    Exit(60, 320, 80, 40),
    Exit(400, 320, 80, 40),
};

constexpr Run kLevel6[] = {
    Bomb(),
    Bomb(),
    Hamster(480, 124),
    BlockRow(150, 430, 570, 8),
    BlockRow(290, 470, 570, 6),
    BlockColumn(470, 230, 270, 3),
    BlockColumn(590, 150, 290, 8),
    Exit(480, 240, 100, 40),
};

constexpr Run kLevel7[] = {
    Bomb(),
    Hamster(460, 224),
    Block(390, 230),
    BlockRow(250, 50, 390, 18),
    BlockRow(350, 210, 510, 16),
    BlockColumn(510, 230, 330, 6),
    BlockColumn(110, 350, 370, 2),
    Block(210, 330),
    Block(210, 370),
    BlockRow(390, 110, 210, 6),
    BlockColumn(50, 270, 350, 5),
    BlockRow(350, 70, 90, 2),
    BrickRow(250, 410, 490, 5),
    BrickRow(270, 310, 490, 10),
    BrickRow(290, 310, 490, 10),
    BrickRow(310, 310, 490, 10),
    BrickRow(330, 310, 490, 10),
    Exit(120, 340, 80, 40),
};

constexpr Run kLevel8[] = {
    Bomb(),
    Hamster(80, 344),
    BlockRow(370, 50, 130, 5),
    BlockColumn(130, 270, 350, 5),
    Block(410, 390),
    Block(490, 390),
    BlockRow(410, 410, 490, 5),
    Exit(420, 380, 60, 20),
};

constexpr Run kLevel9[] = {
    Bomb(),
    Bomb(),
    Bomb(),
    Hamster(60, 284),
    BlockRow(310, 50, 110, 4),
    BlockColumn(110, 230, 290, 4),
    BlockRow(30, 310, 530, 12),
    BlockColumn(310, 50, 130, 5),
    BlockColumn(530, 50, 250, 11),
    BlockColumn(410, 110, 250, 8),
    BlockRow(150, 310, 390, 5),
    Exit(320, 100, 80, 40),
};

constexpr Run kLevel10[] = {
    Bomb(),
    Bomb(),
    Bomb(),
    Bomb(),
    Hamster(60, 284),
    BlockRow(250, 50, 430, 20),
    BlockColumn(30, 210, 310, 6),
    BlockColumn(90, 270, 310, 3),
    BlockColumn(130, 210, 230, 2),
    BlockColumn(270, 10, 150, 8),
    Exit(40, 200, 80, 40),
};

}  // namespace

constinit const LevelRecord* const BuiltinLevels[kBuiltinLevelCount] = {
    kLevel<kLevel1>.data(), kLevel<kLevel2>.data(), kLevel<kLevel3>.data(), kLevel<kLevel4>.data(),
    kLevel<kLevel5>.data(), kLevel<kLevel6>.data(), kLevel<kLevel7>.data(), kLevel<kLevel8>.data(),
    kLevel<kLevel9>.data(), kLevel<kLevel10>.data(),
};
