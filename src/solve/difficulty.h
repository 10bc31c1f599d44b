#pragma once
// How hard a level is, from what the solver went through to solve it:
//   D = 10 x bombs + 10 x log10(placements / solutions) + 10 x log10(1 + 10 x first seconds)
// More bombs, rarer solutions among the placements tried and a longer hunt
// for the first one each make it harder: a one-bomb level with solutions
// everywhere scores about 20, a two-bomb level with one solution in ten
// thousand placements found after 10 s about 80. The designer's F5 and
// scripts/level_difficulty.sh both say this figure.
#include <optional>
#include <string>

struct SolveReport;

// Empty when the search found no solution.
std::optional<double> Difficulty(const SolveReport& report);

// "41.2", as the bar and the script print it.
std::string FormatDifficulty(double d);
