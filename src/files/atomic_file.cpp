#include "files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <utility>

#include "files/file_error.h"

namespace {

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

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)), target_(path_) {}

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
    if (lstat(path_.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (realpath(path_.c_str(), resolved) != nullptr) target_ = resolved;
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
    const std::string stem = "." + BaseOf(target_).substr(0, 160) + "." + std::to_string(getpid()) + "-";
    static unsigned counter = 0;
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

bool AtomicFile::Commit() {
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
    if (Injected(AtomicFileStep::Rename) || rename(temp_.c_str(), target_.c_str()) != 0) return Fail(errno);
    temp_.clear();
    committed_ = true;
    SyncDirectory(DirectoryOf(target_));
    return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error) {
    AtomicFile file(path);
    const bool ok = file.Open() && file.Write(bytes.data(), bytes.size()) && file.Commit();
    if (!ok) error = file.Error();
    return ok;
}

bool WriteFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes, std::string& error) {
    return WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), error);
}
