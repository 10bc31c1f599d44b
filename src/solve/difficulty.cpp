#include "solve/difficulty.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "solve/solver.h"

std::optional<double> Difficulty(const SolveReport& report) {
    if (report.solutionCount <= 0 || report.solutions.empty()) return std::nullopt;
    const double bombs = static_cast<double>(report.solutions.front().bombs.size());
    const double placements = static_cast<double>(std::max(report.attempts, report.solutionCount));
    return 10 * bombs + 10 * std::log10(placements / static_cast<double>(report.solutionCount)) +
           10 * std::log10(1 + 10 * std::max(report.firstSeconds, 0.0));
}

std::string FormatDifficulty(double d) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", d);
    return text;
}
