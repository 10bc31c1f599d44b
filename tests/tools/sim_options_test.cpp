// The simulator's command line: what it accepts, and that everything else is
// refused with a message before any level is played.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "packs/pack_model.h"
#include "sim/level_record.h"
#include "solve/bomb_options.h"
#include "sim/sim_options.h"

namespace {

SimOptions Parsed(const std::vector<std::string>& args) {
    SimOptions o;
    std::string error;
    EXPECT_TRUE(ParseSimOptions(args, o, error)) << error;
    return o;
}

std::string Refusal(const std::vector<std::string>& args) {
    SimOptions o;
    std::string error;
    EXPECT_FALSE(ParseSimOptions(args, o, error));
    return error;
}

TEST(SimOptions, ReadsEveryOptionOfAPlayedAndASolvedLevel) {
    const SimOptions o = Parsed({"--pack", "p.pak", "--level", "3", "--bomb", "-5,32767,-1", "--bomb", "10,20,585",
                                 "--frames", "900", "--trace", "--screenshot", "s.bmp", "--at", "0"});
    EXPECT_EQ(o.pack, "p.pak");
    EXPECT_EQ(o.level, 3);
    ASSERT_EQ(o.bombs.size(), 2u);
    EXPECT_EQ(o.bombs[0], (BombPlacement{0, -5, 32767, -1}));  // the fuse's limits are the HUD's to apply
    EXPECT_EQ(o.bombs[1], (BombPlacement{1, 10, 20, 585}));
    EXPECT_EQ(o.frames, 900);
    EXPECT_TRUE(o.trace);
    EXPECT_EQ(o.screenshot, "s.bmp");
    EXPECT_EQ(o.at, 0);
    EXPECT_FALSE(o.solve);

    const SimOptions d = Parsed({"--level", "1"});
    EXPECT_EQ(d.frames, 3600);
    EXPECT_EQ(d.at, -1);
    EXPECT_TRUE(d.bombs.empty());

    const SimOptions s = Parsed({"--level", "10", "--solve", "--budget", "2.5", "--solutions", "0"});
    EXPECT_TRUE(s.solve);
    EXPECT_DOUBLE_EQ(s.budget, 2.5);
    EXPECT_EQ(s.shown, 0);
    EXPECT_DOUBLE_EQ(Parsed({"--level", "1", "--solve"}).budget, 60);
    EXPECT_TRUE(Parsed({"--help"}).help);
    const SimOptions r = Parsed({"--level", "2", "--random-share", "2000", "--seed", "9", "--solutions", "3"});
    EXPECT_EQ(r.randomShare, 2000);
    EXPECT_EQ(r.seed, 9u);
    EXPECT_EQ(r.shown, 3);
}

TEST(SimOptions, RefusesMalformedMissingAndContradictoryOptions) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "--level"},
        {{"--level"}, "needs a value"},
        {{"--level", "0"}, "--level"},
        {{"--level", "1x"}, "--level"},
        {{"--level", "99999999999"}, "--level"},
        {{"--level", "1", "--level", "2"}, "twice"},
        {{"--level", "1", "--frobnicate"}, "unknown option"},
        {{"--level", "1", "--frames", "-1"}, "--frames"},
        {{"--level", "1", "--bomb", "1,2"}, "X,Y,FUSE"},
        {{"--level", "1", "--bomb", "1,2,3,4"}, "X,Y,FUSE"},
        {{"--level", "1", "--bomb", "1,2,3,"}, "X,Y,FUSE"},
        {{"--level", "1", "--bomb", "32768,0,6"}, "-32768 to 32767"},
        {{"--level", "1", "--bomb", "0,-32769,6"}, "-32768 to 32767"},
        {{"--level", "1", "--bomb", "1.5,2,6"}, "integers"},
        {{"--level", "1", "--bomb", " 1,2,6"}, "integers"},
        {{"--level", "1", "--bomb", "1,2,"}, "FUSE must be"},
        {{"--level", "1", "--bomb", "1,2,2147483648"}, "FUSE"},
        {{"--level", "1", "--bomb", "1,2,six"}, "FUSE"},
        {{"--level", "1", "--screenshot", "a.bmp"}, "go together"},
        {{"--level", "1", "--at", "5"}, "go together"},
        {{"--level", "1", "--frames", "10", "--screenshot", "a.bmp", "--at", "11"}, "beyond the last frame"},
        {{"--level", "1", "--solve", "--trace"}, "--solve"},
        {{"--level", "1", "--budget", "5"}, "belong to --solve"},
        {{"--level", "1", "--solve", "--budget", "0"}, "--budget"},
        {{"--level", "1", "--solve", "--budget", "nan"}, "--budget"},
        {{"--level", "1", "--pack", ""}, "file name"},
        {{"--level", "1", "--random-share", "0"}, "--random-share"},
        {{"--level", "1", "--random-share", "20", "--bomb", "1,2,6"}, "places its own bombs"},
        {{"--level", "1", "--random-share", "20", "--solve"}, "places its own bombs"},
        {{"--level", "1", "--seed", "4"}, "belongs to --random-share"},
        {{"--level", "1", "--random-share", "20", "--seed", "-1"}, "--seed"},
    };
    for (const auto& [args, expected] : cases) {
        std::string line;
        for (const std::string& a : args) line += "'" + a + "' ";
        const std::string error = Refusal(args);
        EXPECT_NE(error.find(expected), std::string::npos) << line << "gave: " << error;
    }
}

TEST(SimOptions, LevelNumberAndBombCountMustFitTheLevel) {
    SimOptions o;
    std::string error;
    o.level = 3;  // one inventory bomb
    o.bombs = {{0, 1, 2, 6}};
    const LevelList builtin = BuiltinLevelList();
    EXPECT_TRUE(SimOptionsFitLevel(o, builtin, error)) << error;
    o.bombs.push_back({1, 3, 4, 6});
    EXPECT_FALSE(SimOptionsFitLevel(o, builtin, error));
    EXPECT_NE(error.find("holds 1 bomb"), std::string::npos) << error;

    o.bombs.clear();
    for (int level : {0, 11}) {
        o.level = level;
        EXPECT_FALSE(SimOptionsFitLevel(o, builtin, error));
        EXPECT_NE(error.find("levels 1 to 10"), std::string::npos) << error;
    }
    o.level = 1;
    EXPECT_FALSE(SimOptionsFitLevel(o, {}, error));
    EXPECT_NE(error.find("no complete level"), std::string::npos) << error;

    // Seven inventory bombs, but the HUD has five slots to take them from.
    PackLevel seven;
    seven.records.assign(7, kInventoryBombRecord);
    seven.records.push_back(kEndRecord);
    const LevelList table = {seven};
    for (int k = 0; k < 5; ++k) o.bombs.push_back({k, 100, 100, 60});
    EXPECT_TRUE(SimOptionsFitLevel(o, table, error)) << error;
    o.bombs.push_back({5, 100, 100, 60});
    EXPECT_FALSE(SimOptionsFitLevel(o, table, error));
    EXPECT_NE(error.find("holds 5 bombs"), std::string::npos) << error;
}

TEST(SimOptions, SolutionsPrintAsOptionsThatReadBack) {
    const std::vector<BombPlacement> bombs = {{0, 64, 458, 60}, {1, -1, 0, 6}};
    const std::string text = FormatBombOptions(bombs);
    EXPECT_EQ(text, "--bomb 64,458,60 --bomb -1,0,6");
    std::vector<std::string> args = {"--level", "10"};
    for (size_t i = 0, j; i < text.size(); i = j + 1) {
        j = text.find(' ', i);
        if (j == std::string::npos) j = text.size();
        args.push_back(text.substr(i, j - i));
    }
    EXPECT_EQ(Parsed(args).bombs, bombs);
}

}  // namespace
