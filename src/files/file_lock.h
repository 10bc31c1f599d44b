#pragma once
// A lock file beside the file it guards (PATH.lock), locked with fcntl for as
// long as the lock is held. The system lets such a lock go when its process
// ends, however it ends, so the lock of a crashed program never blocks
// anyone: a lock file that is there but not locked is free.
//
// fcntl locks belong to the process: two holders inside one process do not
// exclude each other, and a forked child does not inherit the lock.
#include <sys/types.h>

#include <string>

class FileLock {
public:
    FileLock() = default;
    ~FileLock() { Release(); }
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    enum class Result { Taken, Held, Failed };
    // Takes the lock without waiting: Held, with the holder's process id,
    // when another process has it; Failed, with the reason, when the lock
    // file cannot be made or locked.
    Result TryTake(const std::string& lockPath, pid_t& holder, std::string& reason);
    // Waits for the lock.
    bool Take(const std::string& lockPath, std::string& reason);
    // remove: the lock file goes too (nobody else waits on it).
    void Release(bool remove = false);
    bool Held() const { return fd_ >= 0; }

private:
    Result Lock(const std::string& lockPath, bool wait, pid_t& holder, std::string& reason);

    int fd_ = -1;
    pid_t owner_ = 0;  // a forked child has the descriptor, not the lock
    std::string path_;
};
