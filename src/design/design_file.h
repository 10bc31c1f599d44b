#pragma once
// The designer's files: FILE, a level pack or (named *.txt) a level text,
// and its recovery file FILE.autosave in the same format. Both are written
// whole or not at all.
#include <string>

#include "packs/pack_model.h"

namespace design {

struct OpenedDesign {
    LevelList levels;      // at least one
    bool created = false;  // FILE did not exist: it is made at the first save
    bool recovered = false;  // read from FILE.autosave, newer than FILE
    bool unsaved = false;    // from a link: nothing on disk holds it yet
    std::string note;      // for the bar: what was opened, or why the recovery was not
};

bool IsTextName(const std::string& path);
std::string AutosavePath(const std::string& path);
// The name the bar gives a file: its last part, which is what fits.
std::string BarName(const std::string& path);

// Reads FILE, or its newer recovery file. False, with a one-line reason, when
// FILE exists but is no level pack or level text the designer could save
// back without losing anything.
bool OpenDesign(const std::string& path, OpenedDesign& out, std::string& error);

// A link's levels as a new level text not saved yet: FOLDER/shared.txt, or
// shared-2.txt and on, the first name free with its recovery name. Sets path
// to it; false, with the reason, when no such name is free.
bool OpenLinkedDesign(const std::string& folder, LevelList levels, std::string& path, OpenedDesign& out,
                      std::string& error);

// The file's bytes in its format.
std::string EncodeDesign(const std::string& path, const LevelList& levels);
// Writes FILE atomically; a success removes the recovery file.
bool SaveDesign(const std::string& path, const LevelList& levels, std::string& error);
bool WriteAutosave(const std::string& path, const LevelList& levels, std::string& error);

}  // namespace design
