#include "files/set_aside.h"

#include <unistd.h>

#include <cerrno>

#include "files/file_error.h"

bool SetAside(const std::string& path, const std::string& suffix, std::string& aside, std::string& reason) {
    // link() never replaces an existing name, as rename() would.
    for (int n = 1; n < 1000; ++n) {
        aside = path + suffix + (n == 1 ? "" : "." + std::to_string(n));
        if (link(path.c_str(), aside.c_str()) == 0) {
            unlink(path.c_str());
            return true;
        }
        if (errno != EEXIST) break;
    }
    reason = SystemReason(errno);
    return false;
}
