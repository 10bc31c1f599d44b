#include "packs/pack_reader.h"

#include <algorithm>

#include "files/regular_file.h"
#include "levels/level_table.h"
#include "packs/pack_header.h"

namespace {

// Takes the levels out of the game's globals and puts its table back as it was.
LevelList TakePackLevels() {
    LevelList levels;
    for (const LevelRecord* r : PackLevels) {
        std::size_t n = 1;
        while (r[n - 1].type != REC_END) ++n;
        PackLevel level;
        level.records.assign(r, r + n);
        levels.push_back(std::move(level));
    }
    FreeLevelPack();
    return levels;
}

bool ReadAt(std::istream& in, uint64_t offset, unsigned char* buffer, std::size_t n) {
    in.clear();
    in.seekg(static_cast<std::streamoff>(offset));
    in.read(reinterpret_cast<char*>(buffer), static_cast<std::streamsize>(n));
    return static_cast<std::size_t>(in.gcount()) == n;
}

}  // namespace

bool ReadPackFile(const std::string& path, PackFile& pack, std::string& error) {
    pack = PackFile{};
    // One open file for its size, the game's reading of its levels and the
    // headers: a file replaced meanwhile cannot mix into what is said of it.
    RegularFileStream in(path);
    if (!in.IsOpen()) {
        error = in.Error();
        return false;
    }
    if (!ReadPackStream(in, in.Size(), pack, error)) return false;
    if (!in.Error().empty()) {
        error = in.Error();
        return false;
    }
    return true;
}

bool ReadPackStream(std::istream& in, uint64_t size, PackFile& pack, std::string& error) {
    pack = PackFile{};
    pack.fileSize = size;
    LoadLevelPack(in);
    pack.levels = TakePackLevels();

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
    (void)error;  // a read error is the stream's to tell (RegularFileStream::Error)
    return true;
}

bool ReadTextFile(const std::string& path, std::string& text, std::string& error) {
    return ReadRegularFile(path, text, error);
}
