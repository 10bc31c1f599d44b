#include "pack/pack_reader.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "levels/level_table.h"
#include "pack/pack_header.h"

namespace fs = std::filesystem;

namespace {

// The game's reader says nothing when it cannot open a file, so the tool looks first.
bool CheckReadable(const std::string& path, uint64_t& size, std::string& error) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec) {
        error = ec.message();
        return false;
    }
    if (!fs::is_regular_file(status)) {
        error = fs::is_directory(status) ? "is a directory" : "is not a regular file";
        return false;
    }
    size = fs::file_size(path, ec);
    if (ec) {
        error = ec.message();
        return false;
    }
    std::ifstream probe(path, std::ios::binary);
    if (!probe) {
        error = std::strerror(errno);
        return false;
    }
    return true;
}

// Takes the levels out of the game's globals and puts its table back as it was.
LevelList TakePackLevels() {
    LevelList levels;
    for (const LevelRecord* r : PackLevels) {
        PackLevel level;
        do level.records.push_back(*r);
        while ((r++)->type != REC_END);
        levels.push_back(std::move(level));
    }
    FreeLevelPack();
    return levels;
}

bool ReadAt(std::ifstream& in, uint64_t offset, unsigned char* buffer, std::size_t n) {
    in.clear();
    in.seekg(static_cast<std::streamoff>(offset));
    in.read(reinterpret_cast<char*>(buffer), static_cast<std::streamsize>(n));
    return static_cast<std::size_t>(in.gcount()) == n;
}

}  // namespace

bool ReadPackFile(const std::string& path, PackFile& pack, std::string& error) {
    pack = PackFile{};
    if (!CheckReadable(path, pack.fileSize, error)) return false;
    LoadLevelPack(path.c_str());
    pack.levels = TakePackLevels();

    std::ifstream in(path, std::ios::binary);
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

bool ReadTextFile(const std::string& path, std::string& text, std::string& error) {
    uint64_t size = 0;
    if (!CheckReadable(path, size, error)) return false;
    std::ifstream in(path, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = "read failed";
        return false;
    }
    return true;
}
