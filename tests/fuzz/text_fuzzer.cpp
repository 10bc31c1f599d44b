// libFuzzer target: the input is a level text, as people write and share
// them. It is parsed; every error must name a line of the text. A text that
// parses is checked as `zandrove-pack check` checks a text (the findings
// printed into a stream that discards them), printed as `dump` prints levels,
// and the
// printed text parsed again: it must read without errors into the very
// same levels (names and records), and printing those must give the same
// text again. Any disagreement aborts, so libFuzzer keeps the input.
//
// A few bytes of rows ask for thousands of records (a row spans up to 3,277
// cells). Such a text is parsed, but checked no further and not kept in the
// corpus, with errors or without: rows of a few cells take the same paths, and kept giants would
// make most inputs cost milliseconds.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "discard.h"
#include "failure.h"
#include "sim/level_record.h"
#include "packs/finding_format.h"
#include "packs/finding_printer.h"
#include "packs/pack_checker.h"
#include "packs/text_parser.h"
#include "packs/text_printer.h"

namespace {

constexpr size_t kMaxRecordsChecked = 2000;

DiscardStream* discard = nullptr;
const std::string* fileName = nullptr;

bool SameLevels(const LevelList& a, const LevelList& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].name != b[i].name || a[i].records.size() != b[i].records.size()) return false;
        for (size_t k = 0; k < a[i].records.size(); ++k) {
            if (!SameRecord(a[i].records[k], b[i].records[k])) return false;
        }
    }
    return true;
}

// What every parsed level holds: its records, each with its line, ending
// with the one record of type 0.
void CheckShape(const LevelList& levels, int lines) {
    for (const PackLevel& level : levels) {
        const std::vector<LevelRecord>& r = level.records;
        if (r.empty() || r.back().type != REC_END) FuzzFailure("a parsed level without its terminator");
        for (size_t k = 0; k + 1 < r.size(); ++k) {
            if (r[k].type == REC_END) FuzzFailure("a parsed level with a type-0 record before its end");
        }
        if (level.recordLines.size() != r.size()) FuzzFailure("a parsed record without its line");
        if (level.line < 1 || level.line > lines) FuzzFailure("a level on a line the text does not have");
        for (int line : level.recordLines) {
            if (line < level.line || line > lines) FuzzFailure("a record on a line outside its level");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    discard = new DiscardStream;
    fileName = new std::string("fuzz.txt");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    const ParsedText parsed = ParseLevelText(text);
    for (const TextError& e : parsed.errors) {
        if (e.line < 1 || e.line > lines || e.message.empty()) FuzzFailure("an error on a line the text does not have");
        *discard << FormatTextError(*fileName, e) << '\n';
    }
    size_t records = 0;
    for (const PackLevel& level : parsed.levels) records += level.records.size();
    if (records > kMaxRecordsChecked) return -1;
    CheckShape(parsed.levels, lines);
    if (!parsed.errors.empty()) return 0;
    FindingPrinter printer(*fileName, *discard);
    CheckLevels(parsed.levels, [&](const Finding& f) {
        printer.Add(f, [&](const Finding& g) { return FormatTextFinding(*fileName, parsed.levels, g); });
    });
    printer.Finish(parsed.levels.size());

    const std::string printed = FormatLevelText(parsed.levels);
    const ParsedText again = ParseLevelText(printed);
    if (!again.errors.empty()) FuzzFailure("the printed levels do not read back");
    if (!SameLevels(parsed.levels, again.levels)) FuzzFailure("the printed levels read back as other levels");
    if (FormatLevelText(again.levels) != printed) FuzzFailure("printing the levels read back gives another text");
    return 0;
}
