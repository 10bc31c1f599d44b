#pragma once
// The designer's files: FILE, a level pack or (named *.txt) a level text,
// and its recovery file in the same format. Both are written whole or not at
// all.
//
// Two designers may have FILE open at once. The first takes FILE.lock and
// keeps its unsaved work in FILE.autosave; any other is told so and keeps
// its own in FILE.autosave.PID, so that no session's save removes another's
// recovery. A save first reads FILE again: if it no longer holds what this
// session read or wrote, it is not overwritten unasked.
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include "files/file_lock.h"
#include "packs/pack_model.h"

namespace design {

class DesignDoc;

// What a file held when it was last read or written.
struct DiskCopy {
    bool exists = false;
    uint64_t hash = 0;  // of its bytes
};

// For a level text: the text its levels were last read from or written to,
// those levels with their lines, and the designer's id of each, so that a
// save keeps the text's comments and the lines of what did not change.
struct TextLayout {
    std::string text;
    LevelList levels;
    std::vector<uint32_t> ids;
};

struct DesignFiles {
    DesignFiles() = default;
    DesignFiles(DesignFiles&&) = default;
    DesignFiles& operator=(DesignFiles&&) = default;
    ~DesignFiles();

    FileLock lock;             // FILE.lock, held while this is the first designer on FILE
    pid_t other = 0;           // another designer that had FILE open when this one opened it
    std::string recovery;      // this session's recovery file
    std::string adopted;       // the recovery of an ended session opened here: gone once this work is kept
    DiskCopy disk;             // FILE as this session last read or wrote it
    bool savedHere = false;    // written by this session at least once
    bool overwrite = false;    // a save found FILE changed to overwriteHash: the next save may replace it
    uint64_t overwriteHash = 0;
    TextLayout layout;
};

struct OpenedDesign {
    LevelList levels;        // at least one
    bool created = false;    // FILE did not exist: it is made at the first save
    bool recovered = false;  // read from a recovery file, newer than FILE
    bool unsaved = false;    // from a link: nothing on disk holds it yet
    std::string note;        // for the bar: what was opened, and what was found beside it
    DesignFiles files;
};

bool IsTextName(const std::string& path);
std::string AutosavePath(const std::string& path);
// The name the bar gives a file: its last part, which is what fits.
std::string BarName(const std::string& path);

// Reads FILE, or a newer recovery file of it. False, with a one-line reason
// naming the file, when FILE exists but is no level pack or level text the
// designer could save back without losing anything.
bool OpenDesign(const std::string& path, OpenedDesign& out, std::string& error);

// A link's levels as a new level text not saved yet: FOLDER/shared.txt, or
// shared-2.txt and on, the first name free with its recovery name. Sets path
// to it; false, with the reason, when no such name is free.
bool OpenLinkedDesign(const std::string& folder, LevelList levels, std::string& path, OpenedDesign& out,
                      std::string& error);

// The file's bytes in its format (a text keeps the layout it was read with).
std::string EncodeDesign(const std::string& path, const DesignDoc& doc, const TextLayout& layout);

enum class SaveResult { Saved, Changed, Failed };
// Ctrl+S: writes FILE atomically and removes this session's recovery. When
// FILE changed on disk since it was read or last written here, it is left
// alone, the designer's version is written beside it (FILE.mine, then
// FILE.mine.2, ...: none is replaced), and only the next save overwrites
// FILE. message: the bar's line either way.
SaveResult SaveDesign(DesignFiles& files, const std::string& path, const DesignDoc& doc, std::string& message);
// The recovery file, never through a symbolic link.
bool WriteAutosave(DesignFiles& files, const std::string& path, const DesignDoc& doc, std::string& error);
// This session's recovery files, when the work they keep is saved or undone.
void RemoveRecovery(DesignFiles& files);

}  // namespace design
