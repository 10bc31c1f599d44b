#pragma once
// A search and its report as lines of text, for a search that runs in
// another program: the web page's solver worker, a WebAssembly module of
// its own that shares no memory with the game's. The solver's settings
// that can cross (not the callbacks nor the cancel flag), the records and
// the whole report come back exactly as they went.
#include <string>
#include <string_view>
#include <vector>

#include "sim/level_record.h"
#include "solve/solver.h"

// records run up to and including REC_END.
std::string SearchText(const LevelRecord* records, const SolveSettings& settings);
// False for a text SearchText did not write (a record list without its end).
bool ReadSearchText(std::string_view text, std::vector<LevelRecord>& records, SolveSettings& settings);

std::string ReportText(const SolveReport& report);
bool ReadReportText(std::string_view text, SolveReport& report);
