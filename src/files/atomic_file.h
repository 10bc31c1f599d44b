#pragma once
// Writing a file so that a failure never costs the file that was there: the
// whole content goes to a new file beside the target, which is flushed,
// synced and checked, and only then renamed over the target. On any failure
// the new file is removed, the target is as it was, and the error names the
// file and the system's reason ("cannot write 'levels.pak': file too large").
//
// Every file the game and its tools write goes through here. Opening one
// also makes the process ignore SIGXFSZ, so that a write beyond the
// file-size limit fails with an error to report instead of ending the
// process.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// What a symbolic link at the target means: followed (the link stays and the
// file it names is written, made if it does not exist yet), or refused, for
// files that are the program's own and never anything else.
enum class AtomicLinks { Follow, Refuse };

// For content written piece by piece. The target may be a new file or a
// regular file (whose permission bits, owner and group the new one keeps, as
// far as the writer may give them); a symbolic link is followed, so the link
// stays and the file it names is replaced. Hidden temporary files left beside
// it by writers that died (kill -9) are removed on the way.
class AtomicFile {
public:
    explicit AtomicFile(std::string path, AtomicLinks links = AtomicLinks::Follow);
    ~AtomicFile();  // without a successful Commit the target stays untouched
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Each returns false once anything has failed; Error() then says what.
    bool Open();
    bool Write(const void* data, std::size_t size);
    bool Commit();
    // As Commit, but an existing target is never replaced: false ("file
    // exists") when the name was taken meanwhile.
    bool CommitNew();

    const std::string& Error() const { return error_; }

private:
    bool Fail(int errnum);
    bool Fail(const std::string& reason);
    void Discard();
    bool Finish(bool replace);

    std::string path_;    // as given, for messages
    std::string target_;  // the file to replace: path_ with a symbolic link resolved
    std::string temp_;
    AtomicLinks links_;
    int fd_ = -1;
    unsigned long long written_ = 0;
    bool failed_ = false;
    bool committed_ = false;
    std::string error_;
};

// The whole of bytes as the content of path; false with the message in error.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error,
                         AtomicLinks links = AtomicLinks::Follow);
bool WriteFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes, std::string& error);

// For tests: the next use of step fails as if the system had said errnum.
enum class AtomicFileStep { Create, Write, Sync, Close, Rename };
void FailNextAtomicFileStep(AtomicFileStep step, int errnum);
