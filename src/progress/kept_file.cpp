#include "progress/kept_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "files/atomic_file.h"
#include "files/file_error.h"
#include "files/regular_file.h"

std::string KeptFilePath(const char* variable, const char* fallback, const char* name) {
    const char* base = std::getenv(variable);
    std::string dir;
    if (base != nullptr && base[0] == '/') {
        dir = base;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] != '/') return "";
        dir = std::string(home) + "/" + fallback;
    }
    return dir + "/zandrove/" + name;
}

namespace {

// mkdir -p of the folder holding path.
bool MakeFolders(const std::string& path, std::string& reason) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        const std::string dir = path.substr(0, slash);
        if (mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST) {
            reason = "cannot create '" + dir + "': " + SystemReason(errno);
            return false;
        }
    }
    return true;
}

// Moves path to the first free PATH.bad, PATH.bad.2, ...: link() never
// replaces an existing name, so no earlier bad file is lost.
bool SetAside(const std::string& path, std::string& aside, std::string& reason) {
    for (int n = 1; n < 1000; ++n) {
        aside = path + ".bad" + (n == 1 ? "" : "." + std::to_string(n));
        if (link(path.c_str(), aside.c_str()) == 0) {
            unlink(path.c_str());
            return true;
        }
        if (errno != EEXIST) break;
    }
    reason = SystemReason(errno);
    return false;
}

}  // namespace

bool KeptFile::Load(const Parser& parse, std::string& message) {
    std::string text, error;
    struct stat st;
    if (path_.empty() || (lstat(path_.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR))) return false;
    if (ReadRegularFile(path_, text, error) && parse(text, error)) return true;
    std::string aside, reason;
    if (SetAside(path_, aside, reason)) {
        message = "cannot use '" + path_ + "': " + error + "; kept as '" + aside + "', starting afresh";
    } else {
        keepOff_ = true;
        message = "cannot use '" + path_ + "': " + error + "; cannot move it aside (" + reason + "), so it is left alone";
    }
    return false;
}

bool KeptFile::Save(std::string_view text, std::string& message) {
    if (keepOff_ || path_.empty()) {
        message = path_.empty() ? "no folder to keep files in (HOME is not set)" : "";
        return false;
    }
    std::string reason;
    if (!MakeFolders(path_, reason) || !WriteFileAtomically(path_, text, reason)) {
        message = reason;
        return false;
    }
    return true;
}
