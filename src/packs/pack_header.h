#pragma once
// What this tool writes into the two headers of a level pack file. The game
// skips both unread, so they only serve people and this tool: a magic and a
// version in the file header, the level's name in each level header.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

constexpr int kPackFileHeaderSize = 1424;
constexpr int kPackLevelHeaderSize = 128;
// Bounds for inputs that are not level packs at all (random data, a file
// grown without end): a hand-made pack is nowhere near them, yet they keep
// memory and the reading time finite. A reader keeps what it read up to a
// bound, as if the file had ended there.
constexpr std::size_t kMaxPackRecords = std::size_t{1} << 22;
constexpr std::size_t kMaxPackLevels = 65536;

constexpr std::string_view kPackMagic = "ZANDROVE-PACK";  // bytes 0..12, then zeros to 15
constexpr uint32_t kPackVersion = 1;                      // bytes 16..19, little-endian
// bytes 20..23: the number of levels, little-endian; the rest of the 1424 bytes is zero.
constexpr std::size_t kMaxLevelNameBytes = 127;  // the level header always keeps a zero after it

// Both headers are appended to out.
void AppendFileHeader(std::vector<unsigned char>& out, uint32_t levelCount);
void AppendLevelHeader(std::vector<unsigned char>& out, std::string_view name);

// True when a file header was written by this tool (any version), so that its
// level headers hold names.
bool HasPackMagic(const unsigned char* fileHeader, std::size_t size);
// The name in a level header: its bytes up to the first zero, with control
// characters replaced by '?' so that it prints on one line.
std::string LevelNameFromHeader(const unsigned char* levelHeader, std::size_t size);
