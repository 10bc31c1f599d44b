#pragma once
// Where a finding is, said the way a person looks for it: a line of a level
// text, or a level and record of a pack file.
#include <string>
#include <string_view>

#include "packs/pack_checker.h"

// "file:line: error: message" for findings in a level text.
std::string FormatTextFinding(std::string_view file, const LevelList& levels, const Finding& f);
// "file: level 2 "Name", record 5: error: message" for findings in a pack.
std::string FormatPackFinding(std::string_view file, const PackFile& pack, const Finding& f);
