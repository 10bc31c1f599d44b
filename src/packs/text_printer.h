#pragma once
// Writing levels as a level text that reads back into the very same records.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "packs/pack_model.h"

// heading, if not empty, is put first as comment lines.
std::string FormatLevelText(const LevelList& levels, std::string_view heading = {});

// One record as a line of its own, without rows or columns ("block 70 30",
// "record 6 1 2 3 4 5 0 0").
std::string FormatRecord(const LevelRecord& r);

// The lines FormatLevelText gives a level's name and its records
// [begin, end): rows and columns where the records run.
std::string FormatLevelLine(const std::string& name);
std::string FormatRecordLines(const std::vector<LevelRecord>& records, std::size_t begin, std::size_t end);
