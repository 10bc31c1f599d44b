#include "game/program_dir.h"

#include <unistd.h>

#include <climits>
#include <filesystem>
#include <system_error>

#include "game/asset_files.h"

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
    std::string dir = CutAfterLastSeparator(RunningExecutable());
    if (dir.empty()) dir = CutAfterLastSeparator(argv0 ? argv0 : "");
    return dir;
}

std::string AssetDirectory(const std::string& programDir) {
    namespace fs = std::filesystem;
    if (programDir.empty()) return programDir;
    std::error_code ec;
    // The first file the loader reads stands for all of them.
    if (fs::is_regular_file(fs::path(programDir + kBitmapFiles[0]), ec)) return programDir;
    const fs::path installed = fs::path(programDir + "../share/zandrove/").lexically_normal();
    if (fs::is_directory(installed, ec)) return installed.string();
    return programDir;
}

void ChangeToDirectory(const std::string& dir) {
    if (!dir.empty() && chdir(dir.c_str()) != 0) {
        // Not fatal here: the asset loader names the first file it cannot find.
    }
}

void ChangeToAssetDirectory(const char* argv0) { ChangeToDirectory(AssetDirectory(ProgramDirectory(argv0))); }
