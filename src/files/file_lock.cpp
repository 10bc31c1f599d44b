#include "files/file_lock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "files/file_error.h"

FileLock::FileLock(FileLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), owner_(other.owner_), path_(std::move(other.path_)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        fd_ = std::exchange(other.fd_, -1);
        owner_ = other.owner_;
        path_ = std::move(other.path_);
    }
    return *this;
}

FileLock::Result FileLock::TryTake(const std::string& lockPath, pid_t& holder, std::string& reason) {
    return Lock(lockPath, false, holder, reason);
}

bool FileLock::Take(const std::string& lockPath, std::string& reason) {
    pid_t holder = 0;
    return Lock(lockPath, true, holder, reason) == Result::Taken;
}

FileLock::Result FileLock::Lock(const std::string& lockPath, bool wait, pid_t& holder, std::string& reason) {
    Release();
    // A holder that removes the lock file as it lets go may do so between
    // our open and our lock: then the lock is on a file that has no name any
    // more, and the name is tried again.
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd < 0) {
            reason = "cannot make '" + lockPath + "': " + SystemReason(errno);
            return Result::Failed;
        }
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        int locked;
        do locked = fcntl(fd, wait ? F_SETLKW : F_SETLK, &lock);
        while (locked != 0 && errno == EINTR);
        if (locked != 0) {
            const int err = errno;
            struct flock who {};
            who.l_type = F_WRLCK;
            who.l_whence = SEEK_SET;
            const bool held = (err == EAGAIN || err == EACCES) && fcntl(fd, F_GETLK, &who) == 0;
            close(fd);
            if (held && who.l_type != F_UNLCK) {
                holder = who.l_pid;
                return Result::Held;
            }
            if (held) continue;  // let go meanwhile
            reason = "cannot lock '" + lockPath + "': " + SystemReason(err);
            return Result::Failed;
        }
        struct stat mine {}, named {};
        if (fstat(fd, &mine) == 0 && stat(lockPath.c_str(), &named) == 0 && mine.st_dev == named.st_dev &&
            mine.st_ino == named.st_ino) {
            fd_ = fd;
            owner_ = getpid();
            path_ = lockPath;
            return Result::Taken;
        }
        close(fd);
    }
    reason = "cannot lock '" + lockPath + "': it keeps being replaced";
    return Result::Failed;
}

void FileLock::Release(bool remove) {
    if (fd_ < 0) return;
    // Removed while still locked, so that no one can take the old file.
    if (remove && owner_ == getpid()) unlink(path_.c_str());
    close(fd_);
    fd_ = -1;
}
