#include "design/design_file.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <sstream>

#include "design/design_doc.h"
#include "files/atomic_file.h"
#include "files/content_hash.h"
#include "files/file_error.h"
#include "files/regular_file.h"
#include "files/set_aside.h"
#include "packs/pack_reader.h"
#include "packs/pack_writer.h"
#include "packs/text_keeper.h"
#include "packs/text_parser.h"
#include "packs/text_printer.h"

namespace design {

namespace {

// The levels of a file's bytes; the format is the design file's, and its
// recovery file is read as it is.
bool Parse(const std::string& path, std::string bytes, bool text, LevelList& levels, std::string& error) {
    if (text) {
        ParsedText parsed = ParseLevelText(bytes);
        if (!parsed.errors.empty()) {
            error = FormatTextError(path, parsed.errors.front()) +
                    (parsed.errors.size() > 1 ? " (and " + std::to_string(parsed.errors.size() - 1) + " more)" : "");
            return false;
        }
        if (parsed.levels.empty() && bytes.find_first_not_of(" \t\r\n") != std::string::npos) {
            error = path + ": no level in it (a level starts with a line  level \"Name\")";
            return false;
        }
        levels = std::move(parsed.levels);
        return true;
    }
    PackFile pack;
    const uint64_t size = bytes.size();  // (the web build's library has no istringstream::view)
    std::istringstream in(std::move(bytes));
    ReadPack(in, size, pack);
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

// A file's bytes and their hash. A missing file is no error. Only the bytes
// tell whether a file changed: a time stamp can stay put or go back, and a
// file replaced by one with the very same bytes loses nothing when written over.
bool LookAt(const std::string& path, DiskCopy& copy, std::string& bytes, std::string& error) {
    copy = DiskCopy{};
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return true;
        error = "cannot read '" + path + "': " + SystemReason(errno);
        return false;
    }
    std::string why;
    if (!ReadRegularFile(path, bytes, why)) {
        error = "cannot read '" + path + "': " + why;
        return false;
    }
    copy = {true, ContentHash(bytes)};
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

std::string PidRecovery(const std::string& path) { return AutosavePath(path) + "." + std::to_string(getpid()); }

// Recovery files of designers that have ended: FILE.autosave unless a live
// designer holds FILE, and FILE.autosave.PID of any process that is gone.
std::vector<std::string> EndedRecoveries(const std::string& path, bool firstHere) {
    std::vector<std::string> found;
    const std::string autosave = AutosavePath(path);
    if (firstHere) found.push_back(autosave);
    const std::string::size_type slash = autosave.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : autosave.substr(0, slash);
    const std::string prefix = BarName(autosave) + ".";
    if (DIR* d = opendir(dir.c_str())) {
        while (const dirent* e = readdir(d)) {
            const std::string name = e->d_name;
            if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
            const std::string digits = name.substr(prefix.size());
            if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) continue;
            const pid_t pid = static_cast<pid_t>(std::stol(digits));
            if (pid != getpid() && kill(pid, 0) != 0 && errno == ESRCH) found.push_back(dir + "/" + name);
        }
        closedir(d);
    }
    return found;
}

void Add(std::string& note, const std::string& line) { note += (note.empty() ? "" : "; ") + line; }

// The recovery files beside FILE that sessions which have ended left: the
// newest that holds newer work than FILE is opened; one that cannot be
// read, or is older than FILE (changed after the crash), is moved aside,
// never overwritten by this session's first autosave.
void Recover(const std::string& path, int exists, const struct stat& file, OpenedDesign& out) {
    struct Candidate {
        std::string path;
        struct stat st;
    };
    std::vector<Candidate> candidates;
    for (const std::string& c : EndedRecoveries(path, out.files.other == 0)) {
        struct stat st {};
        if (lstat(c.c_str(), &st) != 0) continue;
        if (!S_ISREG(st.st_mode)) {
            // A link or anything else there is not the designer's own: left as it is.
            Add(out.note, BarName(c) + (S_ISLNK(st.st_mode) ? " is a symbolic link" : " is not a regular file") +
                              ", not a recovery file: left alone");
            continue;
        }
        candidates.push_back({c, st});
    }
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate& a, const Candidate& b) { return NotOlder(a.st, b.st) && !NotOlder(b.st, a.st); });
    for (const Candidate& c : candidates) {
        std::string bytes, why, aside, reason;
        LevelList levels;
        const bool older = exists == 1 && !NotOlder(c.st, file);
        const bool read = !older && ReadRegularFile(c.path, bytes, why) &&
                          Parse(c.path, bytes, IsTextName(path), levels, why);
        if (older || !read) {
            const std::string what = older ? "older than " + BarName(path) : "unreadable (" + why + ")";
            if (SetAside(c.path, ".bad", aside, reason))
                Add(out.note, "recovery file " + BarName(c.path) + " " + what + ": kept as " + BarName(aside));
            else
                Add(out.note, "recovery file " + BarName(c.path) + " " + what + ", left alone: " + reason);
            continue;
        }
        if (out.recovered) {
            Add(out.note, "another recovery file is left: " + BarName(c.path));
            continue;
        }
        out.recovered = true;
        out.levels = std::move(levels);
        if (IsTextName(path)) out.files.layout = {bytes, out.levels, {}};
        if (c.path != out.files.recovery) out.files.adopted = c.path;
        Add(out.note, "recovered unsaved work from " + BarName(c.path));
    }
}

}  // namespace

DesignFiles::~DesignFiles() {
    // The lock file goes with a designer that ends well; a crashed one's
    // stays behind unlocked, which blocks no one.
    lock.Release(true);
}

bool IsTextName(const std::string& path) { return path.size() >= 4 && path.compare(path.size() - 4, 4, ".txt") == 0; }

std::string AutosavePath(const std::string& path) { return path + ".autosave"; }

std::string BarName(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool OpenDesign(const std::string& path, OpenedDesign& out, std::string& error) {
    out = OpenedDesign{};
    struct stat file {};
    const int exists = Stat(path, file);
    if (exists < 0) {
        error = "cannot read '" + path + "': " + SystemReason(errno);
        return false;
    }
    DesignFiles& f = out.files;
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
    } else {
        std::string bytes;
        if (!LookAt(path, f.disk, bytes, error)) return false;
        if (!f.disk.exists) {
            error = "cannot read '" + path + "': it went away while it was opened";
            return false;
        }
        if (IsTextName(path)) f.layout.text = bytes;
        if (!Parse(path, std::move(bytes), IsTextName(path), out.levels, error)) return false;
        if (IsTextName(path)) f.layout.levels = out.levels;
    }

    std::string why;
    f.recovery = AutosavePath(path);
    if (f.lock.TryTake(path + ".lock", f.other, why) == FileLock::Result::Held) {
        f.recovery = PidRecovery(path);
        Add(out.note, "another designer (process " + std::to_string(f.other) + ") has " + BarName(path) +
                          " open: your unsaved work goes to " + BarName(f.recovery));
    }
    struct stat st {};
    if (f.recovery == AutosavePath(path) && lstat(f.recovery.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        f.recovery = PidRecovery(path);
    Recover(path, exists, file, out);
    if (!out.recovered) Add(out.note, (out.created ? "new file " : "opened ") + BarName(path));
    // The levels' ids are those the designer gives them: 1, 2, ... in order.
    for (std::size_t i = 0; i < f.layout.levels.size(); ++i) f.layout.ids.push_back(static_cast<uint32_t>(i + 1));
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
        // A new file as any other: its lock, its recovery name.
        if (!OpenDesign(candidate, out, error)) return false;
        path = candidate;
        out.levels = std::move(levels);
        out.unsaved = true;
        out.note = "opened the link as " + name + ", not saved yet";
        return true;
    }
    error = "cannot open the link in the designer: shared.txt to shared-999.txt are all taken in '" + folder + "'";
    return false;
}

std::string EncodeDesign(const std::string& path, const DesignDoc& doc, const TextLayout& layout) {
    if (IsTextName(path)) {
        std::vector<int> from;
        for (const uint32_t id : doc.LevelIds()) {
            const auto at = std::find(layout.ids.begin(), layout.ids.end(), id);
            from.push_back(at == layout.ids.end() ? -1 : static_cast<int>(at - layout.ids.begin()));
        }
        return FormatKeepingText(layout.text, layout.levels, doc.Levels(), from);
    }
    const std::vector<unsigned char> bytes = EncodePack(doc.Levels());
    return std::string(bytes.begin(), bytes.end());
}

namespace {

// The designer's version beside FILE, under a name no file has.
bool WriteBeside(const std::string& path, const std::string& bytes, std::string& mine, std::string& error) {
    for (int n = 1; n < 1000; ++n) {
        mine = path + ".mine" + (n == 1 ? "" : "." + std::to_string(n));
        struct stat st {};
        if (lstat(mine.c_str(), &st) == 0) continue;
        AtomicFile file(mine, AtomicLinks::Refuse);
        if (file.Open() && file.Write(bytes.data(), bytes.size()) && file.CommitNew()) return true;
        if (lstat(mine.c_str(), &st) != 0) {  // not merely taken meanwhile
            error = file.Error();
            return false;
        }
    }
    error = "cannot write '" + path + ".mine': every name up to .mine.999 is taken";
    return false;
}

std::size_t TotalRecords(const LevelList& levels) {
    std::size_t n = 0;
    for (const PackLevel& l : levels) n += l.records.size();
    return n;
}

}  // namespace

SaveResult SaveDesign(DesignFiles& f, const std::string& path, const DesignDoc& doc, std::string& message) {
    if (TotalRecords(doc.Levels()) > kMaxPackRecords) {
        message = "not saved: more than the " + std::to_string(kMaxPackRecords) + " records the game reads from a pack";
        return SaveResult::Failed;
    }
    const std::string bytes = EncodeDesign(path, doc, f.layout);
    DiskCopy now;
    std::string there, why;
    // A file that cannot be read cannot be told apart: the write says why it fails.
    if (LookAt(path, now, there, why) && now.exists && (!f.disk.exists || now.hash != f.disk.hash) &&
        !(f.overwrite && now.hash == f.overwriteHash)) {
        std::string mine;
        const std::string change = BarName(path) + (f.disk.exists ? " changed on disk" : " was made on disk") +
                                   (f.savedHere ? " since your last save" : " since you opened it");
        if (!WriteBeside(path, bytes, mine, why)) {
            message = "not saved: " + change + ", and yours could not be kept beside it: " + why;
            return SaveResult::Failed;
        }
        f.overwrite = true;
        f.overwriteHash = now.hash;
        message = "not saved: " + change + "; yours is in " + BarName(mine) + "; Ctrl+S again overwrites it";
        return SaveResult::Changed;
    }
    std::string error;
    if (!WriteFileAtomically(path, bytes, error)) {
        message = "not saved: " + error;
        return SaveResult::Failed;
    }
    f.disk = {true, ContentHash(bytes)};
    f.savedHere = true;
    f.overwrite = false;
    if (IsTextName(path)) f.layout = {bytes, ParseLevelText(bytes).levels, doc.LevelIds()};
    // The recovery is older than the file now; it is not wanted any more.
    RemoveRecovery(f);
    const std::size_t n = doc.Levels().size();
    message = "saved " + BarName(path) + " (" + std::to_string(n) + (n == 1 ? " level)" : " levels)");
    return SaveResult::Saved;
}

bool WriteAutosave(DesignFiles& f, const std::string& path, const DesignDoc& doc, std::string& error) {
    // A link put where the recovery goes is not followed, nor replaced.
    struct stat st {};
    if (lstat(f.recovery.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) f.recovery = PidRecovery(path);
    if (!WriteFileAtomically(f.recovery, EncodeDesign(path, doc, f.layout), error, AtomicLinks::Refuse)) return false;
    if (!f.adopted.empty() && f.adopted != f.recovery) unlink(f.adopted.c_str());
    f.adopted.clear();
    return true;
}

void RemoveRecovery(DesignFiles& f) {
    struct stat st {};
    if (lstat(f.recovery.c_str(), &st) == 0 && S_ISREG(st.st_mode)) unlink(f.recovery.c_str());
    if (!f.adopted.empty()) unlink(f.adopted.c_str());
    f.adopted.clear();
}

}  // namespace design
