#pragma once
// The fuzz input as a file that the game and the tools open by path, as they
// open a pack a player names: an in-memory file, so nothing is left on disk
// and no two fuzzing processes share a name. One per process, rewritten for
// every input.
#include <cstddef>
#include <cstdint>
#include <string>

class InputFile {
public:
    // Exits the process if the file cannot be made (nothing could be fuzzed).
    InputFile();
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Replaces the file's content; false if the system refused.
    bool Write(const uint8_t* data, std::size_t size);
    const std::string& Path() const { return path_; }

private:
    int fd_ = -1;
    std::string path_;
};
