#include "sim/solutions_file.h"

#include <fstream>
#include <sstream>

bool ReadSolutionsFile(const std::string& path, std::vector<RecordedSolution>& out, std::string& error) {
    out.clear();
    std::ifstream file(path);
    if (!file) {
        error = "cannot read " + path;
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        line = line.substr(0, line.find('#'));
        std::istringstream fields(line);
        RecordedSolution s;
        std::string hash, bomb;
        if (!(fields >> s.level)) continue;  // blank or comment
        const std::string where = path + ":" + std::to_string(number) + ": ";
        if (!(fields >> s.frame >> hash) || s.level < 1 || s.frame < 0) {
            error = where + "expected LEVEL FRAME HASH X,Y,FUSE...";
            return false;
        }
        std::istringstream hex(hash);
        if (!(hex >> std::hex >> s.traceHash) || !hex.eof()) {
            error = where + "the trace hash is not hexadecimal";
            return false;
        }
        while (fields >> bomb) {
            BombPlacement b;
            if (!ParseBombPlacement(bomb, static_cast<int>(s.bombs.size()), b, error)) {
                error = where + error;
                return false;
            }
            s.bombs.push_back(b);
        }
        out.push_back(s);
    }
    return true;
}

std::vector<BombPlacement> SolutionBombs(const std::vector<RecordedSolution>& solutions, int level) {
    for (const RecordedSolution& s : solutions)
        if (s.level == level) return s.bombs;
    return {};
}
