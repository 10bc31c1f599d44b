#include "solve/bomb_options.h"

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <sstream>

bool ParseInteger(const std::string& text, long long low, long long high, long long& out) {
    if (text.empty()) return false;
    size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size()) return false;
    for (size_t k = i; k < text.size(); ++k) {
        if (text[k] < '0' || text[k] > '9') return false;
    }
    errno = 0;
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE || value < low || value > high) return false;
    out = value;
    return true;
}

bool ParseBombPlacement(const std::string& text, int slot, BombPlacement& out, std::string& error) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, ',')) parts.push_back(part);
    if (!text.empty() && text.back() == ',') parts.push_back("");
    if (parts.size() != 3) {
        error = "--bomb takes X,Y,FUSE (three integers separated by commas), not '" + text + "'";
        return false;
    }
    constexpr long long kShortMin = std::numeric_limits<int16_t>::min();
    constexpr long long kShortMax = std::numeric_limits<int16_t>::max();
    long long x = 0, y = 0, fuse = 0;
    if (!ParseInteger(parts[0], kShortMin, kShortMax, x) || !ParseInteger(parts[1], kShortMin, kShortMax, y)) {
        error = "--bomb " + text + ": X and Y must be integers from -32768 to 32767";
        return false;
    }
    if (!ParseInteger(parts[2], std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), fuse)) {
        error = "--bomb " + text + ": FUSE must be an integer number of frames";
        return false;
    }
    out = {slot, static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<int>(fuse)};
    return true;
}

std::string FormatBombOptions(const std::vector<BombPlacement>& bombs) {
    std::string text;
    for (const BombPlacement& b : bombs) {
        if (!text.empty()) text += ' ';
        text += "--bomb " + std::to_string(b.x) + "," + std::to_string(b.y) + "," + std::to_string(b.fuse);
    }
    return text;
}
