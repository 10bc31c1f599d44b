#pragma once
// Writing levels as a level text that reads back into the very same records.
#include <string>
#include <string_view>

#include "packs/pack_model.h"

// heading, if not empty, is put first as comment lines.
std::string FormatLevelText(const LevelList& levels, std::string_view heading = {});

// One record as a line of its own, without rows or columns ("block 70 30",
// "record 6 1 2 3 4 5 0 0").
std::string FormatRecord(const LevelRecord& r);
