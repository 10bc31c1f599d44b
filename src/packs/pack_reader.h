#pragma once
// Reading a level pack file with the game's own reader, plus what that reader
// does not tell: the names in the headers and the bytes it left unread.
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "packs/pack_model.h"

struct PackFile {
    LevelList levels;                    // the complete levels, exactly as the game reads them
    std::vector<uint64_t> levelOffsets;  // per level, the byte where its header starts
    uint64_t fileSize = 0;
    uint64_t readEnd = 0;       // where the last complete level ends (or the file header, if none)
    bool namedHeaders = false;  // this tool wrote the headers, so they hold the level names

    // Bytes after the last complete level; a well-formed pack has none.
    uint64_t TrailingBytes() const { return fileSize > readEnd ? fileSize - readEnd : 0; }
};

// Reads the pack at path. Returns false, with the reason in error, when the
// file cannot be read at all; a short or malformed pack is read as far as the
// game would read it. Levels without names in their headers are "Level N".
bool ReadPackFile(const std::string& path, PackFile& pack, std::string& error);
// The same from a seekable stream of size bytes (a file's bytes read already).
bool ReadPackStream(std::istream& in, uint64_t size, PackFile& pack, std::string& error);

// Reads a whole file as text; false, with the reason in error, if it cannot.
bool ReadTextFile(const std::string& path, std::string& text, std::string& error);
