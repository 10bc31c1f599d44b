#pragma once
// The three commands of zandrove-pack, run on an argument list so that tests
// drive them without a process.
#include <ostream>
#include <string>
#include <vector>

constexpr int kExitClean = 0;     // done; for check: no errors (warnings allowed)
constexpr int kExitFindings = 1;  // build: the text has errors; check: it found errors
constexpr int kExitUsage = 2;     // bad command line, or a file that cannot be read or written

// args are the command line after the program name. Results go to out,
// diagnostics to err. Returns the exit status.
int RunPackTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
