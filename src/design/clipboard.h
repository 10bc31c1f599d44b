#pragma once
// What Ctrl+C and Ctrl+X took, for Ctrl+V: kept in memory and in a level
// text that every designer of this login shares, so that objects copied in
// one file paste into another, in this designer or in one started later or
// beside it. The newest copy of any of them is what pastes.
#include <string>
#include <vector>

#include "progress/kept_file.h"
#include "sim/level_record.h"

namespace design {

// $XDG_RUNTIME_DIR/zandrove/clipboard.txt (the login's own folder, emptied
// when it ends), or $XDG_DATA_HOME/zandrove/clipboard.txt (~/.local/share)
// where there is none; empty when neither can be had.
std::string ClipboardPath();

class Clipboard {
public:
    // An empty path keeps it in this designer only.
    explicit Clipboard(std::string path);

    // False, with the reason in message, when the records could not be
    // shared (they are still kept here).
    bool Put(const std::vector<LevelRecord>& records, std::string& message);
    // The newest copy; false with message when there is none, and a message
    // too when the shared file was unreadable (it is moved aside, never
    // overwritten unasked) and this designer's own copy is given instead.
    bool Take(std::vector<LevelRecord>& records, std::string& message);

private:
    KeptFile file_;
    std::vector<LevelRecord> held_;
};

}  // namespace design
