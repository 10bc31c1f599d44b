#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "pack/commands.h"
#include "packs/pack_model.h"
#include "packs/text_printer.h"
#include "pack_test_dir.h"

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

class PackCommand : public PackTestDir {
protected:
    Outcome Run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        const int status = RunPackTool(args, out, err);
        return {status, out.str(), err.str()};
    }

    // The executable itself, for what only a process shows: its exit status and streams.
    Outcome Exec(const std::string& args) {
        const std::string out = PathOf("stdout"), err = PathOf("stderr");
        const std::string command =
            std::string("'") + ZANDROVE_BIN_DIR + "/zandrove-pack' " + args + " >'" + out + "' 2>'" + err + "'";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Read(out), Read(err)};
    }
};

const char* kUsagePrefix = "usage: zandrove-pack build";

const char* kLevels =
    "level \"One\"\n"
    "bomb\n"
    "hamster 80 84\n"
    "block row y=110 x=70..150\n"
    "exit 420 320 100 40\n";

TEST_F(PackCommand, UsageErrorsExitTwoWithAUsageLine) {
    const std::string text = Write("l.txt", kLevels);
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"frob"},
        {"build", text},                            // no -o
        {"build", text, "-o"},                      // -o without a file
        {"build", PathOf("missing.txt"), "-o", PathOf("x.pak")},
        {"build", text, text, "-o", PathOf("x.pak")},
        {"dump"},
        {"dump", dir_.string()},                    // a directory is not a pack
        {"dump", "--builtin", text},
        {"check", text, "--verbose"},
        {"check", text, "-o", PathOf("x")},
    };
    for (const auto& args : bad) {
        const Outcome o = Run(args);
        std::string line;
        for (const auto& a : args) line += a + " ";
        EXPECT_EQ(o.status, 2) << line;
        EXPECT_NE(o.err.find(kUsagePrefix), std::string::npos) << line << "\n" << o.err;
        EXPECT_TRUE(o.out.empty()) << line;
    }
    EXPECT_FALSE(std::filesystem::exists(PathOf("x.pak")));
    EXPECT_NE(Run({"build", PathOf("missing.txt"), "-o", PathOf("x.pak")}).err.find("cannot read"), std::string::npos);
    const Outcome help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind(kUsagePrefix, 0), 0u);
}

TEST_F(PackCommand, BuildDumpAndCheckAgreeAndExitByWhatTheyFound) {
    const std::string text = Write("l.txt", kLevels);
    const std::string pack = PathOf("l.pak");
    Outcome o = Run({"build", text, "-o", pack});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, "wrote " + pack + ": 1 level, 9 records, 1696 bytes\n");

    o = Run({"dump", pack});
    EXPECT_EQ(o.status, 0);
    EXPECT_NE(o.out.find("level \"One\"\nbomb\nhamster 80 84\nblock row y=110 x=70..150\nexit 420 320 100 40\n"),
              std::string::npos)
        << o.out;
    ASSERT_EQ(Run({"dump", "-o", PathOf("d.txt"), pack}).status, 0);
    EXPECT_EQ(Read(PathOf("d.txt")), o.out);
    EXPECT_EQ(Run({"dump", "--builtin"}).out,
              FormatLevelText(BuiltinLevelList(), "The game's ten built-in levels."));

    o = Run({"check", pack});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, pack + ": 1 level, no problems found\n");
    // Warnings alone still exit 0; a text without the .txt suffix is known by its lack of zero bytes.
    const std::string warned = Write("w.lvl", std::string(kLevels) + "exit 10 10 0 0\n");
    o = Run({"check", warned});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, warned + ":6: warning: exit at (10, 10) has zero size (0 x 0): nothing of it shows\n" + warned +
                         ": 1 level, 0 errors, 1 warning\n");
    const std::string broken = Write("b.txt", "level \"B\"\nblock 10 10\n");
    o = Run({"check", broken});
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.out.find(broken + ":1: error: no hamster"), std::string::npos) << o.out;

    // A text that does not read: build writes nothing and says where.
    const std::string faulty = Write("f.txt", "level \"F\"\nhamster 1\n");
    o = Run({"build", faulty, "-o", PathOf("f.pak")});
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.err.find(faulty + ":2: error: hamster takes X Y"), std::string::npos) << o.err;
    EXPECT_FALSE(std::filesystem::exists(PathOf("f.pak")));
    EXPECT_EQ(Run({"check", faulty}).status, 1);
    EXPECT_EQ(Run({"build", Write("e.txt", "# nothing\n"), "-o", PathOf("e.pak")}).status, 1);
}

TEST_F(PackCommand, ExecutableRoundTripsAndReportsByExitStatus) {
    Outcome o = Exec("dump --builtin -o '" + PathOf("builtin.txt") + "'");
    ASSERT_EQ(o.status, 0) << o.err;
    o = Exec("build '" + PathOf("builtin.txt") + "' -o '" + PathOf("builtin.pak") + "'");
    ASSERT_EQ(o.status, 0) << o.err;
    o = Exec("check '" + PathOf("builtin.pak") + "'");
    EXPECT_EQ(o.status, 0) << o.out;
    o = Exec("dump '" + PathOf("builtin.pak") + "'");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out.substr(o.out.find("\n\n")), Read(PathOf("builtin.txt")).substr(Read(PathOf("builtin.txt")).find("\n\n")));

    // Cut the pack inside its last level: the game would drop that level.
    std::string bytes = Read(PathOf("builtin.pak"));
    Write("cut.pak", bytes.substr(0, bytes.size() - 20));
    o = Exec("check '" + PathOf("cut.pak") + "'");
    EXPECT_EQ(o.status, 1);
    EXPECT_NE(o.out.find("level 10, byte "), std::string::npos) << o.out;
    o = Exec("dump '" + PathOf("cut.pak") + "'");
    EXPECT_EQ(o.status, 0);
    EXPECT_NE(o.err.find("not read by the game"), std::string::npos) << o.err;

    o = Exec("unpack");
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find(kUsagePrefix), std::string::npos);
    EXPECT_TRUE(o.out.empty());
}

}  // namespace
