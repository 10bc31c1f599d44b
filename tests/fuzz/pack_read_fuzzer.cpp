// libFuzzer target: the input is a level pack file, read as a pack is read
// before anyone plays it, with no frame run and no Allegro:
//   1. the one pack reader (ReadPackFile) of the game and the pack tool, whose
//      levels, records and offsets and where reading ended must be exactly
//      those the pack layout gives (worked out here from the bytes alone);
//   2. each level built into a world as the game builds it at level start,
//      and the world checked against its records (world_check.h);
//   3. the pack tool's checker on it, every finding pointing at a level and
//      record that exist, printed as `zandrove-pack check` prints them (into
//      a stream that discards them).
// Any disagreement aborts, so libFuzzer keeps the input.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "discard.h"
#include "failure.h"
#include "input_file.h"
#include "packs/finding_format.h"
#include "packs/finding_printer.h"
#include "packs/pack_checker.h"
#include "packs/pack_reader.h"
#include "sim/world.h"
#include "world_check.h"

namespace {

// Far beyond any -max_len used, far below the reader's own bounds (4 Mi
// records, 64 Ki levels), which the layout below does not repeat.
constexpr size_t kMaxInput = size_t{1} << 20;

struct LevelSpan {
    size_t header;   // where the level's header starts
    size_t records;  // its records, the terminator included
};

// The complete levels of a pack as its layout gives them: after the file
// header, per level a header and records up to the first of type 0. A level
// the file cuts short is dropped, and nothing after it is read.
void Layout(const uint8_t* data, size_t size, std::vector<LevelSpan>& levels, size_t& end) {
    levels.clear();
    end = size < kPackFileHeaderSize ? size : kPackFileHeaderSize;
    for (size_t at = kPackFileHeaderSize; at + kPackLevelHeaderSize <= size;) {
        const size_t first = at + kPackLevelHeaderSize;
        size_t n = 0;
        bool complete = false;
        for (size_t r = first; r + sizeof(LevelRecord) <= size; r += sizeof(LevelRecord)) {
            ++n;
            if (data[r] == 0 && data[r + 1] == 0) {
                complete = true;
                break;
            }
        }
        if (!complete) return;
        levels.push_back({at, n});
        at = first + n * sizeof(LevelRecord);
        end = at;
    }
}

bool SameRecords(const LevelRecord* records, const uint8_t* data, const LevelSpan& span) {
    // Records are the file's bytes on a little-endian host (level_record.h).
    return std::memcmp(records, data + span.header + kPackLevelHeaderSize, span.records * sizeof(LevelRecord)) == 0;
}

InputFile* input = nullptr;
std::vector<LevelSpan>* layout = nullptr;  // kept across inputs: no allocation per input
DiscardStream* discard = nullptr;
const std::string* fileName = nullptr;

void BuildEachLevel(const PackFile& pack) {
    World world;
    for (const PackLevel& level : pack.levels) {
        world.ExitMask = 0;  // as at level start; BuildLevel counts the hamsters
        BuildLevel(world, level.records.data());
        CheckWorld(world, level.records.data());
    }
}

void CheckFindings(const PackFile& pack) {
    bool fileWide = false, trailing = false;
    FindingPrinter printer(*fileName, *discard);
    CheckPackFile(pack, [&](const Finding& f) {
        const int levels = static_cast<int>(pack.levels.size());
        if (f.message.empty()) FuzzFailure("a finding without a message");
        if (f.level < -1 || f.level > levels) FuzzFailure("a finding in a level that does not exist");
        if (f.byte >= 0) {
            if (f.level != levels || static_cast<uint64_t>(f.byte) != pack.readEnd || f.record != -1)
                FuzzFailure("a finding in the unread bytes placed elsewhere");
            trailing = true;
        } else if (f.level == levels) {
            FuzzFailure("a finding in a level after the last");
        } else if (f.level == -1) {
            if (f.record != -1 || f.related != -1) FuzzFailure("a finding of the whole file names a record");
            fileWide = true;
        } else {
            // The terminator is the game's end of the level, never a finding's record.
            const int records = static_cast<int>(pack.levels[f.level].records.size()) - 1;
            if (f.record < -1 || f.record >= records || f.related < -1 || f.related >= records ||
                (f.related >= 0 && (f.record < 0 || f.related == f.record)))
                FuzzFailure("a finding names a record that does not exist");
        }
        printer.Add(f, [&](const Finding& g) { return FormatPackFinding(*fileName, pack, g); });
    });
    printer.Finish(pack.levels.size());
    if (pack.levels.empty() != fileWide) FuzzFailure("a pack without levels not reported as such, or one with");
    if ((pack.TrailingBytes() > 0) != trailing) FuzzFailure("the unread bytes of the pack not reported");
}

void ReadThePack(const uint8_t* data, size_t size, const std::vector<LevelSpan>& levels, size_t end) {
    PackFile pack;
    std::string error;
    if (!ReadPackFile(input->Path(), pack, error)) FuzzFailure("the reader refused the input file");
    if (pack.levels.size() != levels.size() || pack.levelOffsets.size() != levels.size())
        FuzzFailure("the reader read another number of levels");
    for (size_t i = 0; i < levels.size(); ++i) {
        const std::vector<LevelRecord>& records = pack.levels[i].records;
        if (records.size() != levels[i].records || !SameRecords(records.data(), data, levels[i]) ||
            pack.levelOffsets[i] != levels[i].header)
            FuzzFailure("the reader read another level");
    }
    if (pack.fileSize != size || pack.readEnd != end) FuzzFailure("the reader ended its reading elsewhere");
    BuildEachLevel(pack);
    CheckFindings(pack);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    input = new InputFile;
    layout = new std::vector<LevelSpan>;
    layout->reserve(kMaxInput / (kPackLevelHeaderSize + sizeof(LevelRecord)));
    discard = new DiscardStream;
    fileName = new std::string("fuzz.pak");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kMaxInput) return -1;
    if (!input->Write(data, size)) FuzzFailure("cannot write the input file");
    size_t end = 0;
    Layout(data, size, *layout, end);
    ReadThePack(data, size, *layout, end);
    return 0;
}
