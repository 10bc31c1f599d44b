#include "shell/program_dir.h"

#include <unistd.h>

#include <climits>

namespace {

std::string CutAfterLastSeparator(const std::string& path) {
    const auto cut = path.find_last_of("/\\");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string RunningExecutable() {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

}  // namespace

std::string ProgramDirectory(const char* argv0) {
    std::string dir = CutAfterLastSeparator(argv0 ? argv0 : "");
    if (dir.empty()) dir = CutAfterLastSeparator(RunningExecutable());
    return dir;
}

void ChangeToProgramDirectory(const char* argv0) {
    const std::string dir = ProgramDirectory(argv0);
    if (!dir.empty() && chdir(dir.c_str()) != 0) {
        // Not fatal here: the asset loader names the first file it cannot find.
    }
}
