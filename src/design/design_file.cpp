#include "design/design_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "files/atomic_file.h"
#include "files/file_error.h"
#include "packs/pack_reader.h"
#include "packs/pack_writer.h"
#include "packs/text_parser.h"
#include "packs/text_printer.h"

namespace design {

namespace {

// The format is the design file's: its recovery file is read as it is.
bool Read(const std::string& path, bool text, LevelList& levels, std::string& error) {
    if (text) {
        std::string text;
        if (!ReadTextFile(path, text, error)) return false;
        ParsedText parsed = ParseLevelText(text);
        if (!parsed.errors.empty()) {
            error = FormatTextError(path, parsed.errors.front()) +
                    (parsed.errors.size() > 1 ? " (and " + std::to_string(parsed.errors.size() - 1) + " more)" : "");
            return false;
        }
        if (parsed.levels.empty() && text.find_first_not_of(" \t\r\n") != std::string::npos) {
            error = path + ": no level in it (a level starts with a line  level \"Name\")";
            return false;
        }
        levels = std::move(parsed.levels);
        return true;
    }
    PackFile pack;
    if (!ReadPackFile(path, pack, error)) return false;
    if (pack.fileSize > 0 && pack.fileSize < static_cast<uint64_t>(kPackFileHeaderSize)) {
        error = path + ": not a level pack (shorter than its " + std::to_string(kPackFileHeaderSize) + "-byte header)";
        return false;
    }
    if (pack.TrailingBytes() > 0) {
        error = path + ": not a level pack the designer can keep whole (" + std::to_string(pack.TrailingBytes()) +
                " bytes after its last complete level)";
        return false;
    }
    levels = std::move(pack.levels);
    return true;
}

// 0 when the file is missing; -1 (errno set) when it cannot be looked at.
int Stat(const std::string& path, struct stat& st) {
    if (stat(path.c_str(), &st) == 0) return 1;
    return errno == ENOENT ? 0 : -1;
}

// A save removes the recovery file, so one that is there is newer work
// unless the file was changed after it (by another program): a time stamp
// that is merely equal, one clock tick holding both writes, still counts.
bool NotOlder(const struct stat& a, const struct stat& b) {
    if (a.st_mtim.tv_sec != b.st_mtim.tv_sec) return a.st_mtim.tv_sec > b.st_mtim.tv_sec;
    return a.st_mtim.tv_nsec >= b.st_mtim.tv_nsec;
}

}  // namespace

bool IsTextName(const std::string& path) { return path.size() >= 4 && path.compare(path.size() - 4, 4, ".txt") == 0; }

std::string AutosavePath(const std::string& path) { return path + ".autosave"; }

std::string BarName(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool OpenDesign(const std::string& path, OpenedDesign& out, std::string& error) {
    out = OpenedDesign{};
    struct stat file {}, recovery {};
    const int exists = Stat(path, file);
    if (exists < 0) {
        error = "cannot read '" + path + "': " + SystemReason(errno);
        return false;
    }
    if (exists == 0) {
        // Nothing could ever be saved there: better said now than at the first save.
        const std::string::size_type slash = path.rfind('/');
        struct stat folder {};
        const std::string parent = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
        if (stat(parent.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode)) {
            error = "cannot create '" + path + "': its folder '" + parent + "' does not exist";
            return false;
        }
        out.created = true;
    } else if (!Read(path, IsTextName(path), out.levels, error)) {
        return false;
    }

    const std::string autosave = AutosavePath(path);
    if (Stat(autosave, recovery) == 1 && (exists == 0 || NotOlder(recovery, file))) {
        LevelList recovered;
        std::string why;
        if (Read(autosave, IsTextName(path), recovered, why)) {
            out.levels = std::move(recovered);
            out.recovered = true;
            out.note = "recovered unsaved work from " + BarName(autosave);
        } else {
            out.note = "recovery file unreadable, opened " + BarName(path) + ": " + why;
        }
    }
    if (out.note.empty()) out.note = (out.created ? "new file " : "opened ") + BarName(path);
    return true;
}

bool OpenLinkedDesign(const std::string& folder, LevelList levels, std::string& path, OpenedDesign& out,
                      std::string& error) {
    out = OpenedDesign{};
    for (int n = 1; n <= 999; ++n) {
        const std::string name = n == 1 ? "shared.txt" : "shared-" + std::to_string(n) + ".txt";
        const std::string candidate = (folder.empty() || folder.back() == '/' ? folder : folder + "/") + name;
        struct stat st {};
        if (Stat(candidate, st) != 0 || Stat(AutosavePath(candidate), st) != 0) continue;
        path = candidate;
        out.levels = std::move(levels);
        out.created = true;
        out.unsaved = true;
        out.note = "opened the link as " + name + ", not saved yet";
        return true;
    }
    error = "cannot open the link in the designer: shared.txt to shared-999.txt are all taken in '" + folder + "'";
    return false;
}

std::string EncodeDesign(const std::string& path, const LevelList& levels) {
    if (IsTextName(path)) return FormatLevelText(levels);
    const std::vector<unsigned char> bytes = EncodePack(levels);
    return std::string(bytes.begin(), bytes.end());
}

bool SaveDesign(const std::string& path, const LevelList& levels, std::string& error) {
    if (!WriteFileAtomically(path, EncodeDesign(path, levels), error)) return false;
    // The recovery is older than the file now; it is not wanted any more.
    unlink(AutosavePath(path).c_str());
    return true;
}

bool WriteAutosave(const std::string& path, const LevelList& levels, std::string& error) {
    return WriteFileAtomically(AutosavePath(path), EncodeDesign(path, levels), error);
}

}  // namespace design
