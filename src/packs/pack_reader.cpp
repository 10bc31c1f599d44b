#include "packs/pack_reader.h"

#include <algorithm>

#include "files/regular_file.h"
#include "packs/pack_header.h"

namespace {

constexpr std::streamsize kRecordBytes = 16;

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
    rec = {Field(b, 0), Field(b, 1), Field(b, 2), Field(b, 3), Field(b, 4), Field(b, 5), Field(b, 6), Field(b, 7)};
    return true;
}

bool ReadAt(std::istream& in, uint64_t offset, unsigned char* buffer, std::size_t n) {
    in.clear();
    in.seekg(static_cast<std::streamoff>(offset));
    in.read(reinterpret_cast<char*>(buffer), static_cast<std::streamsize>(n));
    return static_cast<std::size_t>(in.gcount()) == n;
}

// Every complete level, in order.
LevelList ReadLevels(std::istream& in) {
    LevelList levels;
    std::size_t totalRecords = 0;
    if (!Skip(in, kPackFileHeaderSize)) return levels;
    while (levels.size() < kMaxPackLevels) {
        if (!Skip(in, kPackLevelHeaderSize)) break;
        PackLevel level;
        LevelRecord rec;
        bool complete = false;
        while (totalRecords < kMaxPackRecords && ReadRecord(in, rec)) {
            level.records.push_back(rec);
            ++totalRecords;
            if (rec.type == REC_END) {
                complete = true;
                break;
            }
        }
        if (!complete) break;
        level.records.shrink_to_fit();
        levels.push_back(std::move(level));
    }
    return levels;
}

}  // namespace

bool ReadPack(std::istream& in, uint64_t size, PackFile& pack) {
    pack = PackFile{};
    pack.fileSize = size;
    pack.levels = ReadLevels(in);

    unsigned char fileHeader[kPackFileHeaderSize];
    pack.namedHeaders = ReadAt(in, 0, fileHeader, sizeof fileHeader) && HasPackMagic(fileHeader, sizeof fileHeader);
    uint64_t offset = kPackFileHeaderSize;
    for (std::size_t i = 0; i < pack.levels.size(); ++i) {
        PackLevel& level = pack.levels[i];
        pack.levelOffsets.push_back(offset);
        unsigned char header[kPackLevelHeaderSize];
        if (pack.namedHeaders && ReadAt(in, offset, header, sizeof header))
            level.name = LevelNameFromHeader(header, sizeof header);
        else
            level.name = "Level " + std::to_string(i + 1);
        offset += kPackLevelHeaderSize + sizeof(LevelRecord) * level.records.size();
    }
    pack.readEnd = pack.levels.empty() ? std::min<uint64_t>(pack.fileSize, kPackFileHeaderSize) : offset;
    return true;
}

bool ReadPackFile(const std::string& path, PackFile& pack, std::string& error) {
    pack = PackFile{};
    // One open file for its size, its levels and its headers: a file replaced
    // meanwhile cannot mix into what is said of it.
    RegularFileStream in(path);
    if (!in.IsOpen()) {
        error = in.Error();
        return false;
    }
    ReadPack(in, in.Size(), pack);
    if (!in.Error().empty()) {
        error = in.Error();
        return false;
    }
    return true;
}

bool ReadTextFile(const std::string& path, std::string& text, std::string& error) {
    return ReadRegularFile(path, text, error);
}
