// The game's command line: every option, every error.
#include "app/command_line.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/player_settings.h"
#include "progress/settings.h"

namespace {

GameOptions Parse(std::vector<std::string> args) {
    GameOptions o;
    std::string error;
    EXPECT_TRUE(ParseCommandLine(args, o, error)) << error;
    return o;
}

std::string Error(std::vector<std::string> args) {
    GameOptions o;
    std::string error;
    EXPECT_FALSE(ParseCommandLine(args, o, error));
    EXPECT_EQ(error.find('\n'), std::string::npos);
    return error;
}

TEST(CommandLine, EveryOption) {
    const GameOptions none = Parse({});
    EXPECT_FALSE(none.level || none.scale || none.fullscreen || none.mute || none.help || none.version);
    EXPECT_EQ(none.pack, "");
    const GameOptions all = Parse({"--level", "7", "--scale", "3", "--fullscreen", "--mute", "my.pak"});
    EXPECT_EQ(all.level, 7);
    EXPECT_EQ(all.scale, 3);
    EXPECT_EQ(all.fullscreen, true);
    EXPECT_EQ(all.mute, true);
    EXPECT_EQ(all.pack, "my.pak");
    EXPECT_EQ(Parse({"--scale", "auto"}).scale, kAutoScale);
    EXPECT_EQ(Parse({"--design", "lev.txt"}).design, "lev.txt");
    EXPECT_TRUE(Parse({"--help"}).help);
    EXPECT_TRUE(Parse({"-h"}).help);
    EXPECT_TRUE(Parse({"--version"}).version);
}

TEST(CommandLine, EveryErrorNamesWhatIsWrong) {
    EXPECT_EQ(Error({"--levle", "3"}), "unknown option '--levle'");
    EXPECT_EQ(Error({"--level"}), "--level needs a value");
    EXPECT_EQ(Error({"--scale"}), "--scale needs a value");
    EXPECT_EQ(Error({"--design"}), "--design needs a value");
    EXPECT_EQ(Error({"--design", "a.pak", "b.pak"}), "--design takes no PACK and no --level");
    EXPECT_EQ(Error({"--level", "2", "--design", "a.pak"}), "--design takes no PACK and no --level");
    EXPECT_EQ(Error({"--level", "0"}), "--level needs a level number from 1, not '0'");
    EXPECT_EQ(Error({"--level", "3x"}), "--level needs a level number from 1, not '3x'");
    EXPECT_EQ(Error({"--level", "99999999999"}), "--level needs a level number from 1, not '99999999999'");
    EXPECT_EQ(Error({"--scale", "5"}), "--scale needs 1, 2, 3, 4 or auto, not '5'");
    EXPECT_EQ(Error({"--scale", "0"}), "--scale needs 1, 2, 3, 4 or auto, not '0'");
    EXPECT_EQ(Error({"--mute", "--mute"}), "--mute given twice");
    EXPECT_EQ(Error({"--level", "1", "--level", "2"}), "--level given twice");
    EXPECT_EQ(Error({"a.pak", "--bogus"}), "unknown option '--bogus'");
    EXPECT_EQ(Error({"--design", "a.pak", "--", "-b.pak"}), "--design takes no PACK and no --level");
    std::string error;
    EXPECT_TRUE(CheckLevelOption(Parse({"--level", "10"}), 10, error));
    EXPECT_FALSE(CheckLevelOption(Parse({"--level", "11"}), 10, error));
    EXPECT_EQ(error, "--level 11: there are 10 levels");
}

// Words after the pack are ignored, as the game always did, and named in one line.
TEST(CommandLine, WordsAfterThePackAreIgnored) {
    const GameOptions extra = Parse({"my.pak", "extra", "words", "--mute"});
    EXPECT_EQ(extra.pack, "my.pak");
    EXPECT_EQ(extra.mute, true);
    EXPECT_EQ(IgnoredNote(extra), "ignored: extra words");
    EXPECT_EQ(IgnoredNote(Parse({"my.pak"})), "");
    // After "--" nothing is an option: a pack named "-x.pak", a word "--mute".
    const GameOptions dashed = Parse({"--level", "2", "--", "-x.pak", "--mute"});
    EXPECT_EQ(dashed.pack, "-x.pak");
    EXPECT_EQ(dashed.level, 2);
    EXPECT_FALSE(dashed.mute);
    EXPECT_EQ(IgnoredNote(dashed), "ignored: --mute");
    EXPECT_EQ(Parse({"a.pak", "--", "b.pak"}).ignored, std::vector<std::string>{"b.pak"});
}

// The options are for one run: only what the player chooses in the game is
// written, over the kept settings, never with the options' values.
TEST(PlayerSettings, OnlyTheChoicesInTheGameAreKept) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("zandrove_settings_" + std::to_string(getpid()));
    const fs::path file = dir / "zandrove" / "settings.txt";
    const auto read = [&] {
        std::ifstream in(file);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    fs::remove_all(dir);
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    {
        PlayerSettings run(Parse({"--scale", "2", "--mute"}));
        EXPECT_EQ(run.now.scale, 2);
        EXPECT_TRUE(run.now.mute);
        EXPECT_FALSE(fs::exists(file));
        run.ChooseFullscreen(true);  // F11
        EXPECT_TRUE(run.now.fullscreen && run.now.mute);
        EXPECT_EQ(run.now.scale, 2);
    }
    const std::string rest = "fixed-fuses yes\nrun-clock yes\nfast-forward yes\npause yes\nundo yes\n";
    EXPECT_EQ(read(), "zandrove-settings 2\nscale 1\nfullscreen yes\nmute no\nvolume 100\n" + rest);
    {
        PlayerSettings run(Parse({"--scale", "3"}));
        EXPECT_TRUE(run.now.fullscreen);
        run.ChooseMute(true);  // M
    }
    EXPECT_EQ(read(), "zandrove-settings 2\nscale 1\nfullscreen yes\nmute yes\nvolume 100\n" + rest);
    {
        // The settings screen of the player's edition: the volume chosen,
        // the scale given for this run left out of the file.
        PlayerSettings run(Parse({"--scale", "4"}));
        Settings chosen = run.now;
        chosen.volume = 70;
        run.Choose(chosen);
        EXPECT_EQ(run.now.scale, 4);
        EXPECT_EQ(run.now.volume, 70);
    }
    EXPECT_EQ(read(), "zandrove-settings 2\nscale 1\nfullscreen yes\nmute yes\nvolume 70\n" + rest);
    unsetenv("XDG_CONFIG_HOME");
    fs::remove_all(dir);
}

TEST(CommandLine, MenuStartsThePlayersEditionAndGoesWithEverythingButTheDesigner) {
    const GameOptions o = Parse({"--menu", "--level", "3", "more.pak"});
    EXPECT_TRUE(o.menu);
    EXPECT_EQ(o.level, 3);
    EXPECT_EQ(o.pack, "more.pak");
    EXPECT_FALSE(Parse({}).menu);
    EXPECT_EQ(Error({"--menu", "--menu"}), "--menu given twice");
    EXPECT_EQ(Error({"--menu", "--design", "a.txt"}), "--design takes no --menu: the designer is on the title's menu");
    EXPECT_NE(std::string(kGameUsage).find("[--menu]"), std::string::npos);
}

TEST(CommandLine, TheUsageShowsTheDesigner) {
    EXPECT_NE(std::string(kGameUsage).find("--design FILE"), std::string::npos);
}

}  // namespace
