#pragma once
// A program's standard output as a stream that remembers why it failed. A
// tool's output is its result: when it is lost (a full disk, /dev/full, a
// closed pipe) the tool must say so and fail, not exit 0.
#include <memory>
#include <ostream>
#include <string>

class CheckedOutput : public std::ostream {
public:
    explicit CheckedOutput(int fd);
    ~CheckedOutput() override;
    CheckedOutput(const CheckedOutput&) = delete;
    CheckedOutput& operator=(const CheckedOutput&) = delete;

    // Flushes. True if every byte written so far reached the descriptor;
    // otherwise false with the system's reason in error. Once a write has
    // failed, everything after it is dropped.
    bool Finish(std::string& error);

private:
    class Buffer;
    std::unique_ptr<Buffer> buffer_;
};
