#include "solutions.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

bool ReadPlacement(const std::string& word, BombPlacement& b) {
    char comma1 = 0, comma2 = 0;
    std::istringstream in(word);
    return static_cast<bool>(in >> b.x >> comma1 >> b.y >> comma2 >> b.fuse) && comma1 == ',' && comma2 == ',' &&
           in.peek() == std::char_traits<char>::eof();
}

}  // namespace

SolutionTable ReadSolutions(const std::string& path, std::string& error) {
    SolutionTable table;
    std::ifstream file(path);
    if (!file) {
        error = "cannot read " + path;
        return table;
    }
    std::string line;
    while (std::getline(file, line)) {
        line = line.substr(0, line.find('#'));
        std::istringstream in(line);
        int level = 0;
        long frame = 0;
        std::string hash, word;
        if (!(in >> level >> frame >> hash) || level < 1 || level > 1000) continue;
        std::vector<BombPlacement> bombs;
        bool ok = true;
        while (ok && in >> word) {
            BombPlacement b{};
            ok = ReadPlacement(word, b);
            bombs.push_back(b);
        }
        if (!ok || bombs.empty()) continue;
        if (table.size() < static_cast<size_t>(level)) table.resize(static_cast<size_t>(level));
        table[static_cast<size_t>(level) - 1] = bombs;
    }
    return table;
}
