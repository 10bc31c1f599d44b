#include "input_file.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

InputFile::InputFile() {
    fd_ = memfd_create("zandrove-fuzz-input", MFD_CLOEXEC);
    if (fd_ < 0) {
        std::perror("memfd_create");
        std::exit(1);
    }
    path_ = "/proc/self/fd/" + std::to_string(fd_);
}

InputFile::~InputFile() { close(fd_); }

bool InputFile::Write(const uint8_t* data, std::size_t size) {
    // Written at offset 0 and cut to size: one write and one truncate, no
    // seek (the readers open the file anew and have offsets of their own).
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = pwrite(fd_, data + done, size - done, static_cast<off_t>(done));
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return ftruncate(fd_, static_cast<off_t>(size)) == 0;
}
