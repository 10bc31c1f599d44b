#include "packs/level_table.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>
#include <vector>

#include "files/regular_file.h"

const LevelRecord* const* LevelTable = BuiltinLevels;
int LevelCount = kBuiltinLevelCount;
std::vector<LevelRecord*> PackLevels;

namespace {

constexpr std::streamsize kRecordBytes = 16;

// Bounds, with kMaxPackRecords, for inputs that are not level packs at all
// (random data, a file grown without end): a hand-made pack is nowhere near
// them, yet they keep memory and the reading time finite. What was read up to
// a bound is kept, as if the file had ended there.
constexpr std::size_t kMaxPackLevels = 65536;

using LevelArray = std::unique_ptr<LevelRecord[]>;

// True only if all n bytes were there; a short skip (end of file or a read
// error) leaves the stream failed, so every later step transfers nothing.
bool Skip(std::istream& in, std::streamsize n) {
    in.ignore(n);
    return in.gcount() == n && !in.fail();
}

int16_t Field(const unsigned char* b, int index) {
    return static_cast<int16_t>(static_cast<uint16_t>(b[2 * index] | (b[2 * index + 1] << 8)));
}

// Records are little-endian on disk whatever the host is.
bool ReadRecord(std::istream& in, LevelRecord& rec) {
    unsigned char b[kRecordBytes];
    in.read(reinterpret_cast<char*>(b), kRecordBytes);
    if (in.gcount() != kRecordBytes || in.fail()) return false;
    rec = {Field(b, 0), Field(b, 1), Field(b, 2), Field(b, 3),
           Field(b, 4), Field(b, 5), Field(b, 6), Field(b, 7)};
    return true;
}

// Reads every complete level: a level header, then records up to and including
// the first of type 0. A level the file cuts short never gets a terminator and
// is dropped; reading stops there.
std::vector<LevelArray> ReadLevels(std::istream& in) {
    std::vector<LevelArray> levels;
    std::vector<LevelRecord> current;
    std::size_t totalRecords = 0;
    if (!Skip(in, kPackFileHeaderSize)) return levels;
    while (levels.size() < kMaxPackLevels) {
        if (!Skip(in, kPackLevelHeaderSize)) break;
        current.clear();
        LevelRecord rec;
        bool complete = false;
        while (totalRecords < kMaxPackRecords && ReadRecord(in, rec)) {
            current.push_back(rec);
            ++totalRecords;
            if (rec.type == REC_END) {
                complete = true;
                break;
            }
        }
        if (!complete) break;
        LevelArray level(new LevelRecord[current.size()]);
        std::copy(current.begin(), current.end(), level.get());
        levels.push_back(std::move(level));
    }
    return levels;
}

}  // namespace

bool LoadLevelPack(const char* path, std::string* error) {
    if (path == nullptr) return false;
    // Only a regular file: a FIFO would block here, before the window opens,
    // and a device could feed the reader without end.
    RegularFileStream in(path);
    if (!in.IsOpen()) {
        if (error) *error = in.Error();
        return false;
    }

    LoadLevelPack(in);
    return true;
}

void LoadLevelPack(std::istream& in) {
    std::vector<LevelArray> levels = ReadLevels(in);
    FreeLevelPack();
    PackLevels.reserve(levels.size());
    for (LevelArray& level : levels) PackLevels.push_back(level.release());
    LevelTable = PackLevels.empty() ? nullptr : PackLevels.data();
    LevelCount = static_cast<int>(PackLevels.size());
}

void FreeLevelPack() {
    for (LevelRecord* level : PackLevels) delete[] level;
    PackLevels.clear();
    PackLevels.shrink_to_fit();
    LevelTable = BuiltinLevels;
    LevelCount = kBuiltinLevelCount;
}
