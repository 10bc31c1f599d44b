#pragma once
// The files the game keeps for the player (progress, settings): where they
// live, reading them without ever losing a bad one, writing them whole.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// A kept file larger than this is no file the game wrote: reading it would
// hold up the start and take memory by the gigabyte.
constexpr std::size_t kMaxKeptFileBytes = std::size_t{4} << 20;

// $VARIABLE/zandrove/NAME, or $HOME/FALLBACK/zandrove/NAME when the variable
// is unset, empty or not an absolute path. Empty when neither can be had.
std::string KeptFilePath(const char* variable, const char* fallback, const char* name);
// Why KeptFilePath found no folder: "XDG_DATA_HOME is not set and HOME
// ('x') is not an absolute path".
std::string NoKeptFolderReason(const char* variable);

class KeptFile {
public:
    // The text's parser: false with a one-line reason for a bad text.
    using Parser = std::function<bool(std::string_view text, std::string& error)>;

    explicit KeptFile(std::string path) : path_(std::move(path)) {}

    // Reads and parses the file. A missing file: false, no message. A file
    // that cannot be read or parsed, or is larger than kMaxKeptFileBytes, is
    // moved aside to PATH.bad (PATH.bad.2,
    // ... when that exists: none is ever replaced) and a one-line message
    // says so; if it cannot be moved, it is left alone and never written.
    bool Load(const Parser& parse, std::string& message);
    // Writes the text whole (the folders made as needed); false with a
    // one-line message. Refused for a bad file that could not be moved, and
    // without a message when there is no path (said once at start-up).
    bool Save(std::string_view text, std::string& message);
    // Makes the folders the file goes in; false with a one-line message.
    bool MakeFolder(std::string& message);

    const std::string& Path() const { return path_; }

private:
    std::string path_;
    bool keepOff_ = false;  // a bad file stayed in place
};
