// What the game and its tools say before any window: a --design file that
// cannot be one is named, a lost --help or --version is a failure, each
// kept file without a folder gets its own true line, and both tools know
// their version.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "support/run_program.h"

namespace {

namespace fs = std::filesystem;

const std::string kBin = ZANDROVE_BIN_DIR;

Ran Exec(std::vector<std::string> args, const std::string& stdoutPath = "") {
    ProgramRun run;
    run.args = std::move(args);
    run.stdoutPath = stdoutPath;
    return RunProgram(run);
}

TEST(DesignFile, ThatCannotBeOneIsNamedAndAnEmptyOneIsAUsageError) {
    char name[] = "/tmp/zandrove-command-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    const fs::path dir = name;
    ASSERT_EQ(mkfifo((dir / "fifo.pak").c_str(), 0644), 0);
    // No display: a window could not open, the refusal must come first.
    for (const std::string& file : {dir.string(), (dir / "fifo.pak").string(), std::string("/dev/null")}) {
        const Ran r = Exec({"/usr/bin/env", "DISPLAY=", kBin + "/zandrove", "--design", file});
        EXPECT_EQ(r.status, 2) << file;
        EXPECT_NE(r.err.find("zandrove: cannot read '" + file + "': "), std::string::npos) << r.err;
    }
    const Ran empty = Exec({"/usr/bin/env", "DISPLAY=", kBin + "/zandrove", "--design", ""});
    EXPECT_EQ(empty.status, 2);
    EXPECT_EQ(empty.err.rfind("zandrove: --design needs a file name\nusage: zandrove", 0), 0u) << empty.err;
    fs::remove_all(dir);
}

TEST(Output, AFullOutputFailsHelpAndVersionOfTheGameAndTheTools) {
    for (const char* program : {"zandrove", "zandrove-pack", "zandrove-sim"}) {
        for (const char* option : {"--help", "--version"}) {
            const Ran full = Exec({kBin + "/" + program, option}, "/dev/full");
            EXPECT_NE(full.status, 0) << program << " " << option;
            EXPECT_NE(full.err.find("cannot write the standard output: no space left on device"), std::string::npos)
                << program << " " << option << ": " << full.err;
        }
        const Ran version = Exec({kBin + "/" + program, "--version"});
        EXPECT_EQ(version.status, 0) << program << ": " << version.err;
        EXPECT_EQ(version.out.rfind(std::string(program) + " ", 0), 0u) << version.out;
        EXPECT_EQ(version.out, Exec({kBin + "/zandrove", "--version"}).out.replace(0, 8, program));
    }
}

TEST(KeptFiles, EachWithoutAFolderGetsOneTrueLine) {
    const std::vector<std::string> bare = {"/usr/bin/env", "-u", "HOME", "-u", "XDG_DATA_HOME", "-u", "XDG_CONFIG_HOME",
                                           "DISPLAY="};
    std::vector<std::string> args = bare;
    args.push_back(kBin + "/zandrove");
    const Ran unset = Exec(args);
    EXPECT_NE(unset.err.find("zandrove: settings are not kept: XDG_CONFIG_HOME is not set and HOME is not set\n"),
              std::string::npos)
        << unset.err;
    EXPECT_NE(unset.err.find("zandrove: progress is not kept: XDG_DATA_HOME is not set and HOME is not set\n"),
              std::string::npos)
        << unset.err;
    args.insert(args.end() - 1, "HOME=relative/home");
    const Ran relative = Exec(args);
    EXPECT_NE(relative.err.find("progress is not kept: XDG_DATA_HOME is not set and HOME ('relative/home') is not "
                                "an absolute path\n"),
              std::string::npos)
        << relative.err;
    EXPECT_EQ(relative.err.find("and HOME is not set"), std::string::npos) << relative.err;
}

}  // namespace
