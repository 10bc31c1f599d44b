#pragma once
// Reading a level pack file, once, into a value: its complete levels exactly
// as the game plays them, with their names, and what the game's reading does
// not tell (where each level lies, the bytes left unread).
//
// The game's reading: a 1424-byte file header, then per level a 128-byte
// level header and 16-byte records up to and including the first of type 0.
// A level the file cuts short never gets its end record and is dropped;
// reading stops there.
#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "packs/pack_header.h"
#include "packs/pack_model.h"

struct PackFile {
    LevelList levels;                    // the complete levels, named
    std::vector<uint64_t> levelOffsets;  // per level, the byte where its header starts
    uint64_t fileSize = 0;
    uint64_t readEnd = 0;       // where the last complete level ends (or the file header, if none)
    bool namedHeaders = false;  // this tool wrote the headers, so they hold the level names

    // Bytes after the last complete level; a well-formed pack has none.
    uint64_t TrailingBytes() const { return fileSize > readEnd ? fileSize - readEnd : 0; }
};

// Reads the pack at path (a regular file only: a FIFO or a device is never
// opened). False, with the reason in error, when it cannot be read at all; a
// short or malformed pack is read as far as the game reads it. Levels
// without names in their headers are "Level N".
bool ReadPackFile(const std::string& path, PackFile& pack, std::string& error);
// The same from a stream open at the pack's first byte, whose size is given.
bool ReadPack(std::istream& in, uint64_t size, PackFile& pack);

// Reads a whole file as text; false, with the reason in error, if it cannot.
bool ReadTextFile(const std::string& path, std::string& text, std::string& error);
