#pragma once
// zandrove-sim as functions: the whole program, and the part after start-up
// that tests call with the assets they already loaded.
#include <iosfwd>
#include <string>
#include <vector>

#include "packs/pack_model.h"

struct Assets;
struct SimOptions;

// Exit status 2 for usage errors, 1 for a file that cannot be written (the
// screenshot, the standard output) and the other failures of a run.
constexpr int kSimUsageError = 2;
constexpr int kSimFileError = 1;

// Parses, reads the pack and runs. Only for a screenshot does it start
// Allegro without a display and load the assets from the program's own
// directory, which argv0 finds. Returns the exit status.
int SimMain(const std::vector<std::string>& args, const char* argv0, std::ostream& out, std::ostream& err);

// Runs options on levels: a played level (trace, last line, screenshot) or a
// search. pictures, the loaded assets, are needed only for a screenshot.
int RunSim(const SimOptions& options, const LevelList& levels, const Assets* pictures, std::ostream& out,
           std::ostream& err);
