#include "files/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <streambuf>
#include <vector>

#include "files/file_error.h"

int OpenRegularFile(const std::string& path, uint64_t& size, std::string& error) {
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        error = SystemReason(errno);
        return -1;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        error = SystemReason(errno);
        close(fd);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? "is a directory" : "is not a regular file";
        close(fd);
        return -1;
    }
    const int flags = fcntl(fd, F_GETFL);
    if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        error = SystemReason(errno);
        close(fd);
        return -1;
    }
    size = static_cast<uint64_t>(st.st_size);
    return fd;
}

bool IsSameFile(const std::string& a, const std::string& b) {
    struct stat sa {}, sb {};
    return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool ReadRegularFile(const std::string& path, std::string& bytes, std::string& error) {
    bytes.clear();
    uint64_t size = 0;
    const int fd = OpenRegularFile(path, size, error);
    if (fd < 0) return false;
    // The size is a hint only: the file may grow or shrink while it is read.
    std::vector<char> chunk(1 << 16);
    bool ok = true;
    for (;;) {
        const ssize_t n = read(fd, chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = SystemReason(errno);
            ok = false;
            break;
        }
        if (n == 0) break;
        bytes.append(chunk.data(), static_cast<std::size_t>(n));
    }
    close(fd);
    return ok;
}

class RegularFileStream::Buffer : public std::streambuf {
public:
    // As large as the file was when opened, within 4 to 64 KiB: a pack of a
    // few levels need not allocate and clear 64 KiB to be read (the fuzzers
    // open one for every input). Nothing is read from the buffer before
    // read() filled it, so it is left uninitialised.
    Buffer(int fd, uint64_t fileSize)
        : fd_(fd), size_(static_cast<std::size_t>(std::clamp<uint64_t>(fileSize, 1 << 12, 1 << 16))),
          data_(new char[size_]) {}
    ~Buffer() override { close(fd_); }

    int ReadErrno() const { return readErrno_; }

protected:
    int_type underflow() override {
        if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
        for (;;) {
            const ssize_t n = ::read(fd_, data_.get(), size_);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && readErrno_ == 0) readErrno_ = errno;
            if (n <= 0) return traits_type::eof();
            setg(data_.get(), data_.get(), data_.get() + n);
            return traits_type::to_int_type(*gptr());
        }
    }

    pos_type seekoff(off_type off, std::ios_base::seekdir dir, std::ios_base::openmode) override {
        const int whence = dir == std::ios_base::beg ? SEEK_SET : dir == std::ios_base::cur ? SEEK_CUR : SEEK_END;
        if (dir == std::ios_base::cur) off -= egptr() - gptr();  // what is buffered was not read yet
        const off_t at = lseek(fd_, static_cast<off_t>(off), whence);
        setg(data_.get(), data_.get(), data_.get());
        return at < 0 ? pos_type(off_type(-1)) : pos_type(static_cast<off_type>(at));
    }

    pos_type seekpos(pos_type pos, std::ios_base::openmode which) override {
        return seekoff(off_type(pos), std::ios_base::beg, which);
    }

private:
    int fd_;
    std::size_t size_;
    std::unique_ptr<char[]> data_;
    int readErrno_ = 0;
};

RegularFileStream::RegularFileStream(const std::string& path) : std::istream(nullptr) {
    const int fd = OpenRegularFile(path, size_, openError_);
    if (fd < 0) {
        setstate(std::ios_base::failbit);
        return;
    }
    buffer_ = std::make_unique<Buffer>(fd, size_);
    rdbuf(buffer_.get());
}

RegularFileStream::~RegularFileStream() { rdbuf(nullptr); }

std::string RegularFileStream::Error() const {
    if (!buffer_) return openError_;
    return buffer_->ReadErrno() != 0 ? SystemReason(buffer_->ReadErrno()) : std::string();
}
