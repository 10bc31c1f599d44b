#pragma once
// Runs a program as a user would, in ways a shell line cannot say portably:
// with a file-size limit, its output sent to a given file (/dev/full for a
// full disk), and killed if it has not ended within a timeout.
#include <string>
#include <vector>

struct ProgramRun {
    std::vector<std::string> args;  // args[0] is the program's path
    std::string dir;                // working directory; empty: this one
    std::string stdoutPath;         // empty: a file read back into Ran::out
    long fileSizeLimit = -1;        // bytes (RLIMIT_FSIZE); -1: none
    int timeoutSeconds = 30;
};

struct Ran {
    int status = -1;         // the exit status, or -1 if it did not exit
    bool timedOut = false;   // killed after timeoutSeconds
    std::string out, err;
};

Ran RunProgram(const ProgramRun& run);
