#include "files/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <utility>

#include "files/file_error.h"

namespace {

// Fault injection for the tests (FailNextAtomicFileStep): process-wide, as
// the failures it stands for (a full disk, a failing sync) are.
bool injectArmed = false;
AtomicFileStep injectStep = AtomicFileStep::Create;
int injectErrno = 0;

// True (with errno set) when a test asked this step to fail.
bool Injected(AtomicFileStep step) {
    if (!injectArmed || injectStep != step) return false;
    injectArmed = false;
    errno = injectErrno;
    return true;
}

void IgnoreFileSizeSignal() {
    struct sigaction current {};
    if (sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) std::signal(SIGXFSZ, SIG_IGN);
}

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a symbolic link names, through a chain of links, whether it
// exists or not: a write through a dangling link makes the file it names.
bool ResolveLinks(const std::string& path, std::string& target) {
    std::string at = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            target = at;
            return true;
        }
        char to[PATH_MAX];
        const ssize_t n = readlink(at.c_str(), to, sizeof to);
        if (n < 0) return false;
        if (static_cast<std::size_t>(n) == sizeof to) {
            errno = ENAMETOOLONG;
            return false;
        }
        at = to[0] == '/' ? std::string(to, static_cast<std::size_t>(n))
                          : DirectoryOf(at) + "/" + std::string(to, static_cast<std::size_t>(n));
    }
    errno = ELOOP;
    return false;
}

// The process that wrote a temporary file named as Open names them
// (".NAME.PID-N.tmp"), or 0 for any other name.
pid_t TemporaryOwner(const char* name) {
    const std::string s = name;
    const std::string tail = ".tmp";
    if (s.size() < 9 || s[0] != '.' || s.compare(s.size() - tail.size(), tail.size(), tail) != 0) return 0;
    std::size_t i = s.size() - tail.size();
    const std::size_t counterEnd = i;
    while (i > 0 && s[i - 1] >= '0' && s[i - 1] <= '9') --i;
    if (i == counterEnd || i == 0 || s[i - 1] != '-') return 0;
    const std::size_t pidEnd = --i;
    while (i > 0 && s[i - 1] >= '0' && s[i - 1] <= '9') --i;
    if (i == pidEnd || i < 2 || s[i - 1] != '.' || pidEnd - i > 9) return 0;
    return static_cast<pid_t>(std::atol(s.substr(i, pidEnd - i).c_str()));
}

// A writer killed outright leaves its temporary file behind; the next write
// into the folder takes it away once its process is gone. A live writer's
// file is never touched: its process still answers.
void RemoveDeadTemporaries(const std::string& dir) {
    DIR* d = opendir(dir.c_str());
    if (d == nullptr) return;
    const pid_t self = getpid();
    while (const dirent* e = readdir(d)) {
        const pid_t owner = TemporaryOwner(e->d_name);
        if (owner <= 0 || owner == self || kill(owner, 0) == 0 || errno != ESRCH) continue;
        struct stat st {};
        if (fstatat(dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
            (void)unlinkat(dirfd(d), e->d_name, 0);
    }
    closedir(d);
}

// Makes the rename itself survive a crash; not every file system can sync a
// directory, and the content is safe either way, so failures are ignored.
void SyncDirectory(const std::string& dir) {
    const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)fsync(fd);
    close(fd);
}

}  // namespace

void FailNextAtomicFileStep(AtomicFileStep step, int errnum) {
    injectArmed = true;
    injectStep = step;
    injectErrno = errnum;
}

AtomicFile::AtomicFile(std::string path, AtomicLinks links) : path_(std::move(path)), target_(path_), links_(links) {}

AtomicFile::~AtomicFile() {
    if (!committed_) Discard();
}

bool AtomicFile::Fail(int errnum) { return Fail(SystemReason(errnum)); }

bool AtomicFile::Fail(const std::string& reason) {
    if (!failed_) error_ = "cannot write '" + path_ + "': " + reason;
    failed_ = true;
    Discard();
    return false;
}

void AtomicFile::Discard() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (!temp_.empty()) unlink(temp_.c_str());
    temp_.clear();
}

bool AtomicFile::Open() {
    if (failed_) return false;
    if (path_.empty()) return Fail(ENOENT);
    IgnoreFileSizeSignal();

    struct stat st {};
    bool exists = false;
    if (links_ == AtomicLinks::Refuse) {
        if (lstat(path_.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) return Fail("is a symbolic link");
    } else if (!ResolveLinks(path_, target_)) {
        return Fail(errno);
    }
    if (stat(target_.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return Fail(EISDIR);
        // A device or a FIFO cannot be replaced by renaming, nor written safely.
        if (!S_ISREG(st.st_mode)) return Fail("is not a regular file");
        exists = true;
    } else if (errno != ENOENT) {
        return Fail(errno);
    }

    // Beside the target, so that the rename stays on one file system; hidden,
    // and cut short so that a long name still leaves room for the suffix.
    const std::string dir = DirectoryOf(target_);
    RemoveDeadTemporaries(dir);
    const std::string stem = "." + BaseOf(target_).substr(0, 160) + "." + std::to_string(getpid()) + "-";
    // Atomic: the progress is written from a thread of its own.
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temp = dir + "/" + stem + std::to_string(counter++) + ".tmp";
        const int fd = Injected(AtomicFileStep::Create)
                           ? -1
                           : open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) return Fail(errno);
        fd_ = fd;
        temp_ = temp;
        break;
    }
    if (fd_ < 0) return Fail(EEXIST);
    // The file stays its owner's (root writing over a player's file would
    // otherwise take it from them); a writer that may not give it away keeps
    // at least the group if it can. Before the mode: a change of owner
    // clears the set-id bits.
    struct stat made {};
    if (exists && fstat(fd_, &made) == 0 && (made.st_uid != st.st_uid || made.st_gid != st.st_gid) &&
        fchown(fd_, st.st_uid, st.st_gid) != 0)
        (void)fchown(fd_, static_cast<uid_t>(-1), st.st_gid);
    if (exists && fchmod(fd_, st.st_mode & 07777) != 0) return Fail(errno);
    return true;
}

bool AtomicFile::Write(const void* data, std::size_t size) {
    if (failed_) return false;
    if (fd_ < 0) return Fail(EBADF);
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = Injected(AtomicFileStep::Write) ? -1 : write(fd_, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Fail(errno);
        if (n == 0) return Fail(EIO);
        p += n;
        size -= static_cast<std::size_t>(n);
        written_ += static_cast<unsigned long long>(n);
    }
    return true;
}

bool AtomicFile::Commit() { return Finish(true); }

bool AtomicFile::CommitNew() { return Finish(false); }

bool AtomicFile::Finish(bool replace) {
    if (failed_) return false;
    if (fd_ < 0) return Fail(EBADF);
    if (Injected(AtomicFileStep::Sync) || fsync(fd_) != 0) return Fail(errno);
    struct stat st {};
    if (fstat(fd_, &st) != 0) return Fail(errno);
    if (static_cast<unsigned long long>(st.st_size) != written_)
        return Fail("the file holds " + std::to_string(st.st_size) + " bytes of " + std::to_string(written_));
    const int fd = fd_;
    fd_ = -1;
    // Some file systems report a failed write only here.
    const bool injected = Injected(AtomicFileStep::Close);
    const int injectedErrno = errno;
    const int closed = close(fd);
    if (injected) return Fail(injectedErrno);
    if (closed != 0) return Fail(errno);
    if (Injected(AtomicFileStep::Rename)) return Fail(errno);
    if (replace && rename(temp_.c_str(), target_.c_str()) != 0) return Fail(errno);
    // link() never replaces a name; the temporary name then goes.
    if (!replace && link(temp_.c_str(), target_.c_str()) != 0) return Fail(errno);
    if (!replace) unlink(temp_.c_str());
    temp_.clear();
    committed_ = true;
    SyncDirectory(DirectoryOf(target_));
    return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error, AtomicLinks links) {
    AtomicFile file(path, links);
    const bool ok = file.Open() && file.Write(bytes.data(), bytes.size()) && file.Commit();
    if (!ok) error = file.Error();
    return ok;
}

bool WriteFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes, std::string& error) {
    return WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), error);
}
