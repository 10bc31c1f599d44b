// Share links end to end through the real programs: zandrove-pack share and
// unshare, and the game, which plays a link or a pack, or refuses it in one
// line and plays the built-in levels (its --level check, made before any
// window opens, tells how many levels it took).
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "pack_test_dir.h"
#include "packs/builtin_levels.h"
#include "packs/link_text.h"
#include "packs/pack_model.h"
#include "packs/pack_writer.h"
#include "packs/share_link.h"
#include "packs/text_parser.h"
#include "packs/text_printer.h"
#include "support/run_program.h"

namespace {

const std::string kPack = std::string(ZANDROVE_BIN_DIR) + "/zandrove-pack";
const std::string kGame = std::string(ZANDROVE_BIN_DIR) + "/zandrove";

const char* kLevel =
    "level \"One\"\n"
    "bomb\n"
    "hamster 80 84\n"
    "block row y=110 x=70..150\n"
    "exit 420 320 100 40\n";

class ShareLink : public PackTestDir {
protected:
    Ran Run(const std::vector<std::string>& args) { return RunProgram({args, dir_.string(), "", -1, 30}); }
    // At least bytes of level text: levels of 40 blocks in random cells,
    // which pack about as well as a player's levels do.
    static std::string RandomLevels(std::size_t bytes) {
        std::string text;
        uint32_t state = 11;
        auto next = [&state](uint32_t n) {
            state = (state * 1103515245u + 12345u) & 0x7FFFFFFFu;
            return (state >> 8) % n;
        };
        for (int level = 1; text.size() < bytes; ++level) {
            text += "level \"Random " + std::to_string(level) + "\"\nbomb\nhamster 300 240\nexit 420 320 100 40\n";
            std::set<uint32_t> cells;
            while (cells.size() < 40) cells.insert((1 + next(30)) * 100 + 1 + next(8));
            for (uint32_t c : cells)
                text += "block " + std::to_string(c / 100 * 20) + " " + std::to_string(c % 100 * 20) + "\n";
        }
        return text;
    }
};

TEST_F(ShareLink, ALevelOrAPackGoesThereAndBackTheSameOnEveryMachine) {
    const std::string text = Write("one.txt", kLevel);
    const Ran one = Run({kPack, "share", text});
    ASSERT_EQ(one.status, 0) << one.err;
    // Fixed zlib parameters: this very link wherever it is made.
    EXPECT_EQ(one.out,
              "http://localhost:8016/#level="
              "eNrLSS1LzVFQ8s9LVeJKys9N4spIzC0uSS1SsDBQsDDhSsrJT85WKMovV6i0NTQ0UKiwNTfQ0zM0NeBKrcgsUTAxMlAwBmJDAwMFEwMuAIpCFOw\n");
    const Ran back = Run({kPack, "unshare", one.out.substr(0, one.out.size() - 1), "-o", PathOf("back.txt")});
    ASSERT_EQ(back.status, 0) << back.err;
    EXPECT_EQ(Read(PathOf("back.txt")), FormatLevelText(ParseLevelText(kLevel).levels));

    // A whole pack, and one level of it, with a base of the sharer's own.
    const std::string pack = Write("builtin.pak", EncodePack(BuiltinLevelList()));
    const Ran all = Run({kPack, "share", pack, "--base", "https://example.org/zandrove/"});
    ASSERT_EQ(all.status, 0) << all.err;
    ASSERT_EQ(all.out.rfind("https://example.org/zandrove/#pack=", 0), 0u) << all.out;
    ASSERT_EQ(Run({kPack, "unshare", all.out.substr(0, all.out.size() - 1), "-o", PathOf("all.pak")}).status, 0);
    EXPECT_EQ(Read(PathOf("all.pak")), Read(pack)) << "the pack came back other than it went";
    const Ran seventh = Run({kPack, "share", pack, "--level", "7"});
    ASSERT_NE(seventh.out.find("#level="), std::string::npos);
    LevelList levels;
    std::string why;
    ASSERT_TRUE(LevelsFromShareLink(seventh.out, levels, why)) << why;
    ASSERT_EQ(levels.size(), 1u);
    EXPECT_EQ(levels[0].name, "Level 7");
    EXPECT_EQ(Run({kPack, "share", pack, "--level", "11"}).status, 2);

    // The game plays a link as it plays a pack: one level here.
    const Ran game = Run({kGame, "--level", "2", one.out.substr(0, one.out.size() - 1)});
    EXPECT_EQ(game.status, 2);
    EXPECT_NE(game.err.find("--level 2: there are 1 levels"), std::string::npos) << game.err;
}

TEST_F(ShareLink, SixtyFourKibibytesOfTextTravelInALinkACommandLineTakes) {
    const std::string text = FormatLevelText(ParseLevelText(RandomLevels(64 * 1024)).levels);
    ASSERT_GE(text.size(), 64u * 1024);
    const Ran shared = Run({kPack, "share", Write("big.txt", text)});
    ASSERT_EQ(shared.status, 0) << shared.err;
    // Linux takes one word of a command line up to 128 KiB.
    EXPECT_LT(shared.out.size(), 128u * 1024) << "a link of " << shared.out.size() << " bytes";
    const Ran back = Run({kPack, "unshare", shared.out.substr(0, shared.out.size() - 1)});
    ASSERT_EQ(back.status, 0) << back.err;
    EXPECT_EQ(back.out, text);
}

TEST_F(ShareLink, ADamagedCutOrSwollenLinkIsRefusedInOneLine) {
    const std::string made = Run({kPack, "share", Write("one.txt", kLevel)}).out;
    const std::string link = made.substr(0, made.size() - 1);
    std::string flipped = link;
    flipped[flipped.size() - 20] = flipped[flipped.size() - 20] == 'A' ? 'B' : 'A';
    // 17 MiB of spaces packs into a few kilobytes: unpacking stops at the bound.
    const std::string spaces(17u << 20, ' ');
    std::vector<unsigned char> packed(compressBound(static_cast<uLong>(spaces.size())));
    uLongf size = static_cast<uLongf>(packed.size());
    ASSERT_EQ(compress2(packed.data(), &size, reinterpret_cast<const Bytef*>(spaces.data()),
                        static_cast<uLong>(spaces.size()), 9), Z_OK);
    std::string bomb = "#pack=";
    const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
    for (uLongf i = 0; i < size; i += 3) {
        const unsigned v = packed[i] << 16 | (i + 1 < size ? packed[i + 1] << 8 : 0) | (i + 2 < size ? packed[i + 2] : 0);
        for (int k = 0; k < (i + 2 < size ? 4 : i + 1 < size ? 3 : 2); ++k) bomb += digits[(v >> (18 - 6 * k)) & 63];
    }
    const struct {
        std::string link;
        const char* says;
    } bad[] = {
        {flipped, "damaged"},
        {link.substr(0, link.size() - 12), "cut short"},
        {link.substr(0, link.find('=') + 1), "cut short"},
        {link + "*", "damaged"},
        {bomb, "more than 16 MiB"},
    };
    for (const auto& b : bad) {
        const Ran pack = Run({kPack, "unshare", b.link});
        EXPECT_EQ(pack.status, 1) << b.link;
        EXPECT_EQ(pack.err.rfind("zandrove-pack: link refused: ", 0), 0u) << pack.err;
        EXPECT_NE(pack.err.find(b.says), std::string::npos) << pack.err;
        EXPECT_EQ(std::count(pack.err.begin(), pack.err.end(), '\n'), 1) << pack.err;
        // The game says the same in one line and plays its own ten levels.
        const Ran game = Run({kGame, "--level", "11", b.link});
        EXPECT_NE(game.err.find("zandrove: link refused: "), std::string::npos) << game.err;
        EXPECT_NE(game.err.find("the built-in levels are played"), std::string::npos) << game.err;
        EXPECT_NE(game.err.find("--level 11: there are 10 levels"), std::string::npos) << game.err;
    }
    // A level link that holds two levels is refused as well.
    std::string two, why;
    ASSERT_TRUE(MakeShareLink(BuiltinLevelList(), LinkKind::Pack, kDefaultShareBase, two, why));
    LevelList levels;
    const std::string asLevel = "#level=" + two.substr(two.find('=') + 1);
    EXPECT_FALSE(LevelsFromShareLink(asLevel, levels, why));
    EXPECT_EQ(why, "a level link holds 10 levels");
}

TEST_F(ShareLink, APackWithNoCompleteLevelIsRefusedAndTheBuiltInLevelsArePlayed) {
    std::vector<unsigned char> cut = EncodePack(BuiltinLevelList());
    cut.resize(1424 + 128 + 16 * 3);  // the first level without its end
    const std::string files[] = {Write("empty.pak", std::string()), Write("cut.pak", cut), PathOf("missing.pak")};
    for (const std::string& file : files) {
        const Ran game = Run({kGame, "--level", "11", file});
        EXPECT_EQ(game.status, 2);
        EXPECT_NE(game.err.find("zandrove: '" + file + "' refused: "), std::string::npos) << game.err;
        EXPECT_NE(game.err.find("--level 11: there are 10 levels"), std::string::npos) << game.err;
    }
    EXPECT_NE(Run({kGame, "--level", "11", files[1]}).err.find("no complete level in it"), std::string::npos);
    // The designer refuses a damaged link before any window opens.
    const Ran design = Run({kGame, "--design", "#level=AAAA"});
    EXPECT_EQ(design.status, 2);
    EXPECT_EQ(design.err.rfind("zandrove: link refused: the link is damaged", 0), 0u) << design.err;
}

}  // namespace
