#include "files/checked_output.h"

#include <unistd.h>

#include <cerrno>
#include <streambuf>
#include <vector>

#include "files/file_error.h"

class CheckedOutput::Buffer : public std::streambuf {
public:
    explicit Buffer(int fd) : fd_(fd), data_(1 << 16) { setp(data_.data(), data_.data() + data_.size()); }

    int Errno() const { return errno_; }

protected:
    int_type overflow(int_type c) override {
        if (!Drain()) return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    int sync() override { return Drain() ? 0 : -1; }

private:
    bool Drain() {
        const char* p = pbase();
        std::size_t left = static_cast<std::size_t>(pptr() - pbase());
        while (left > 0 && errno_ == 0) {
            const ssize_t n = ::write(fd_, p, left);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                errno_ = n < 0 ? errno : EIO;
                break;
            }
            p += n;
            left -= static_cast<std::size_t>(n);
        }
        setp(data_.data(), data_.data() + data_.size());
        return errno_ == 0;
    }

    int fd_;
    std::vector<char> data_;
    int errno_ = 0;
};

CheckedOutput::CheckedOutput(int fd) : std::ostream(nullptr), buffer_(std::make_unique<Buffer>(fd)) {
    rdbuf(buffer_.get());
}

CheckedOutput::~CheckedOutput() {
    flush();
    rdbuf(nullptr);
}

bool CheckedOutput::Finish(std::string& error) {
    flush();
    if (buffer_->Errno() != 0) {
        error = SystemReason(buffer_->Errno());
        return false;
    }
    if (!*this) {
        error = "output failed";
        return false;
    }
    return true;
}
