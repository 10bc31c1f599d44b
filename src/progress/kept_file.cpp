#include "progress/kept_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "files/atomic_file.h"
#include "files/file_error.h"
#include "files/regular_file.h"
#include "files/set_aside.h"

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

std::string NoKeptFolderReason(const char* variable) {
    auto why = [](const char* name) {
        const char* value = std::getenv(name);
        if (value == nullptr || value[0] == '\0') return std::string(name) + " is not set";
        return std::string(name) + " ('" + value + "') is not an absolute path";
    };
    return why(variable) + " and " + why("HOME");
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

}  // namespace

bool KeptFile::Load(const Parser& parse, std::string& message) {
    std::string text, error;
    struct stat st;
    if (path_.empty() || (lstat(path_.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR))) return false;
    if (stat(path_.c_str(), &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) > kMaxKeptFileBytes)
        error = "it holds " + std::to_string(st.st_size) + " bytes, more than the " +
                std::to_string(kMaxKeptFileBytes >> 20) + " MB a kept file may";
    else if (ReadRegularFile(path_, text, error) && parse(text, error))
        return true;
    std::string aside, reason;
    if (SetAside(path_, ".bad", aside, reason)) {
        message = "cannot use '" + path_ + "': " + error + "; kept as '" + aside + "', starting afresh";
    } else {
        keepOff_ = true;
        message = "cannot use '" + path_ + "': " + error + "; cannot move it aside (" + reason + "), so it is left alone";
    }
    return false;
}

bool KeptFile::MakeFolder(std::string& message) { return !path_.empty() && MakeFolders(path_, message); }

bool KeptFile::Save(std::string_view text, std::string& message) {
    if (keepOff_ || path_.empty()) {
        message.clear();
        return false;
    }
    std::string reason;
    if (!MakeFolders(path_, reason) || !WriteFileAtomically(path_, text, reason)) {
        message = reason;
        return false;
    }
    return true;
}
