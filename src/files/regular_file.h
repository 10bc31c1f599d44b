#pragma once
// Opening a level pack or a level text to read. Both are regular files; a
// FIFO, a device or a directory named in their place is refused at once, so
// that no input can block the program before it has read a byte, or feed it
// without end.
#include <cstdint>
#include <istream>
#include <memory>
#include <string>

// Opens path for reading if it is a regular file: the descriptor (blocking,
// close-on-exec) and its size, or -1 with the reason in error ("is a
// directory", "is not a regular file", or the system's, e.g. "no such file
// or directory").
int OpenRegularFile(const std::string& path, uint64_t& size, std::string& error);

// True when both paths name one existing file (the same device and inode),
// through links or not.
bool IsSameFile(const std::string& a, const std::string& b);

// Reads the whole regular file at path; false with the reason in error.
bool ReadRegularFile(const std::string& path, std::string& bytes, std::string& error);

// A seekable input stream over a regular file opened as above. If the open
// fails, the stream starts failed and Error() says why; a read error later
// ends the input there and Error() says that too.
class RegularFileStream : public std::istream {
public:
    explicit RegularFileStream(const std::string& path);
    ~RegularFileStream() override;
    RegularFileStream(const RegularFileStream&) = delete;
    RegularFileStream& operator=(const RegularFileStream&) = delete;

    bool IsOpen() const { return buffer_ != nullptr; }
    uint64_t Size() const { return size_; }
    std::string Error() const;

private:
    class Buffer;
    std::unique_ptr<Buffer> buffer_;
    uint64_t size_ = 0;
    std::string openError_;
};
