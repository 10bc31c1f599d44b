// zandrove-sim as a program: its exit statuses and messages, its last line,
// the trace format, its pictures, and its random guesses.
#include <allegro.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <cstdio>
#include <sstream>

#include "files/atomic_file.h"
#include "game/assets.h"
#include "game/drawn_run.h"
#include "pack_test_dir.h"
#include "packs/builtin_levels.h"
#include "packs/pack_reader.h"
#include "packs/pack_writer.h"
#include "platform/allegro/allegro_bmp.h"
#include "platform/allegro/allegro_picture.h"
#include "sim/play_field.h"
#include "sim/sim_command.h"
#include "sim/sim_options.h"
#include "sim/trace.h"
#include "solve/level_run.h"
#include "solve/random_share.h"
#include "support/headless.h"

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

class SimCommand : public PackTestDir {
protected:
    static void SetUpTestSuite() { StartHeadless(); }

    // The executable, for what only a process shows: exit status, streams, files.
    Outcome Exec(const std::string& args) {
        const std::string out = PathOf("stdout"), err = PathOf("stderr");
        const std::string command = "cd '" + dir_.string() + "' && '" + ZANDROVE_BIN_DIR + "/zandrove-sim' " + args +
                                    " >'" + out + "' 2>'" + err + "'";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Read(out), Read(err)};
    }

    // In this process, on the given levels.
    Outcome Run(const SimOptions& o, const LevelList& levels = BuiltinLevelList()) {
        std::ostringstream out, err;
        const int status = RunSim(o, levels, &HeadlessBitmaps(), out, err);
        return {status, out.str(), err.str()};
    }

    static std::string LastLine(const std::string& text) {
        if (text.size() < 2) return text;
        return text.substr(text.rfind('\n', text.size() - 2) + 1);
    }
};

TEST_F(SimCommand, UsageErrorsExitTwoWithAMessageAndPlayNothing) {
    Write("empty.pak", std::string(100, '\0'));
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "--level N is required"},
        {"--level 0", "--level"},
        {"--level 11", "there are levels 1 to 10"},
        {"--level three", "--level"},
        {"--level 3 --bomb 1,2", "X,Y,FUSE"},
        {"--level 3 --bomb 40000,2,6", "-32768 to 32767"},
        {"--level 3 --bomb 1,2,6 --bomb 3,4,6", "inventory holds 1 bomb"},
        {"--level 1 --pack missing.pak", "cannot read level pack missing.pak: no such file or directory"},
        {"--level 1 --pack empty.pak", "no complete level"},
        {"--level 1 --screenshot a.bmp", "go together"},
        {"--level 1 --frames 5 --screenshot a.bmp --at 6", "beyond the last frame"},
        {"--level 1 --loud", "unknown option"},
    };
    for (const auto& [args, expected] : cases) {
        const Outcome o = Exec(args);
        EXPECT_EQ(o.status, kSimUsageError) << args;
        EXPECT_NE(o.err.find("zandrove-sim: "), std::string::npos) << args;
        EXPECT_NE(o.err.find(expected), std::string::npos) << args << "\n" << o.err;
        EXPECT_NE(o.err.find("usage: zandrove-sim"), std::string::npos) << args;
        EXPECT_TRUE(o.out.empty()) << args;
    }
    EXPECT_FALSE(std::filesystem::exists(PathOf("a.bmp")));
    const Outcome help = Exec("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: zandrove-sim", 0), 0u);
}

TEST_F(SimCommand, LastLineSaysWhetherAndWhenTheLevelWasComplete) {
    SimOptions o;
    o.level = 3;
    o.bombs = {{0, 228, 404, 6}};
    Outcome r = Run(o);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "complete frame=342\n");  // without --trace, the last line is the only one

    o.frames = 341;  // one frame short of it
    r = Run(o);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "incomplete frames=341\n");

    o.bombs.clear();
    o.frames = 0;  // only the frame that starts the run: nothing is stepped
    EXPECT_EQ(Run(o).out, "incomplete frames=0\n");

    // A level without a hamster counts as complete from its first frame,
    // the edit-mode frame included: the banner's 121 frames end in frame 120.
    PackLevel empty;
    empty.records = {{REC_BLOCK, 100, 100, 0, 0, 0, 0, 0}, {}};
    o.level = 1;
    o.frames = 3600;
    EXPECT_EQ(Run(o, {empty}).out, "complete frame=120\n");

    // The executable reads the same levels and says the same.
    EXPECT_EQ(Exec("--level 3 --bomb 228,404,6").out, "complete frame=342\n");
}

TEST_F(SimCommand, TraceHasOneLinePerHamsterAndFrameInListOrder) {
    SimOptions o;
    o.level = 5;  // two hamsters
    o.frames = 3;
    o.trace = true;
    const Outcome r = Run(o);
    std::istringstream lines(r.out);
    std::string line;
    std::vector<int> frames, ids, xs;
    while (std::getline(lines, line)) {
        if (line.rfind("incomplete", 0) == 0) break;
        int f[13], used = 0;
        const int n = std::sscanf(line.c_str(),
                                  "frame=%d id=%d x=%d y=%d vx=%d vy=%d resting=%d landed=%d soft=%d fast=%d "
                                  "blasted=%d aware=%d exit=%d%n",
                                  &f[0], &f[1], &f[2], &f[3], &f[4], &f[5], &f[6], &f[7], &f[8], &f[9], &f[10],
                                  &f[11], &f[12], &used);
        ASSERT_EQ(n, 13) << line;
        EXPECT_EQ(used, static_cast<int>(line.size())) << line;
        for (int flag = 6; flag <= 11; ++flag) EXPECT_TRUE(f[flag] == 0 || f[flag] == 1) << line;
        frames.push_back(f[0]);
        ids.push_back(f[1]);
        xs.push_back(f[2]);
        EXPECT_EQ(f[12], 120) << line;  // nowhere near an exit
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 1, 2, 2, 3, 3}));
    EXPECT_EQ(ids, (std::vector<int>{0, 1, 0, 1, 0, 1}));
    EXPECT_EQ(xs[0], 280 * 256);  // raw fixed point, not pixels
    EXPECT_EQ(xs[1], 360 * 256);
    EXPECT_EQ(line, "incomplete frames=3");
    EXPECT_FALSE(std::getline(lines, line));
}

TEST_F(SimCommand, ScreenshotIsTheGamesOwnFrameAndChangesNoMotion) {
    const std::string solution = "--level 9 --bomb 56,320,6 --bomb 301,420,285";
    const Outcome plain = Exec(solution + " --trace");
    const Outcome pictured = Exec(solution + " --trace --screenshot run.bmp --at 40");
    ASSERT_EQ(pictured.status, 0) << pictured.err;
    EXPECT_EQ(HashText(pictured.out), HashText(plain.out));  // drawing or not, the same physics
    const Outcome edit = Exec(solution + " --frames 0 --screenshot edit.bmp --at 0");
    ASSERT_EQ(edit.status, 0) << edit.err;

    PALETTE palette;
    BITMAP* run = load_bmp(PathOf("run.bmp").c_str(), palette);
    BITMAP* start = load_bmp(PathOf("edit.bmp").c_str(), palette);
    ASSERT_TRUE(run && start);
    EXPECT_EQ(run->w, kScreenWidth);
    EXPECT_EQ(run->h, kScreenHeight);
    EXPECT_EQ(start->w, kScreenWidth);
    EXPECT_EQ(start->h, kScreenHeight);

    // The same frame drawn in this process, by a run with a world of its own
    // (after all the tests before it), is the same picture pixel for pixel.
    {
        DrawnRun same(BuiltinLevels[8], {{0, 56, 320, 6}, {1, 301, 420, 285}}, HeadlessBitmaps());
        while (same.Frame() < 40) same.Next();
        BITMAP* drawn = Bitmap(same.LastPicture());
        int different = 0;
        for (int y = 0; y < kScreenHeight; ++y)
            for (int x = 0; x < kScreenWidth; ++x) different += getpixel(run, x, y) != getpixel(drawn, x, y);
        EXPECT_EQ(different, 0);
        // In frame 0 the HUD stands whole (edit mode); in run mode half of it is hidden.
        const int hudHeight = Bitmap(HeadlessBitmaps().hud.get())->h;
        const int row = kScreenHeight - hudHeight + 2;
        int changed = 0;
        for (int x = 0; x < kScreenWidth; ++x) changed += getpixel(start, x, row) != getpixel(run, x, row);
        EXPECT_GT(changed, kScreenWidth / 2);
    }
    destroy_bitmap(run);
    destroy_bitmap(start);

    const Outcome early = Exec("--level 3 --bomb 228,404,6 --screenshot late.bmp --at 400");
    EXPECT_EQ(early.status, 1);
    EXPECT_NE(early.err.find("complete at frame 342, before frame 400"), std::string::npos) << early.err;
    EXPECT_FALSE(std::filesystem::exists(PathOf("late.bmp")));
    const Outcome unwritable = Exec("--level 1 --frames 1 --screenshot no/such/dir/a.bmp --at 1");
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("cannot write 'no/such/dir/a.bmp': no such file or directory"), std::string::npos)
        << unwritable.err;
}

// The simulator writes its pictures itself (through the file writer); they
// must stay the very bytes of Allegro's save_bmp, which the README's pictures
// were made with: every 16-bit colour, rows that need padding, a real frame.
TEST_F(SimCommand, ScreenshotBytesAreThoseOfSaveBmp) {
    BITMAP* colours = create_bitmap_ex(16, 257, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 257; ++x) putpixel(colours, x, y, (y * 257 + x) & 0xFFFF);
    DrawnRun run(BuiltinLevels[8], {{0, 56, 320, 6}}, HeadlessBitmaps());
    while (run.Frame() < 40) run.Next();
    PALETTE palette;
    get_palette(palette);
    for (BITMAP* picture : {colours, Bitmap(run.LastPicture())}) {
        ASSERT_EQ(save_bmp(PathOf("allegro.bmp").c_str(), picture, palette), 0);
        const std::vector<unsigned char> ours = EncodeBmp(AsPicture(picture));
        EXPECT_TRUE(Read(PathOf("allegro.bmp")) == std::string(ours.begin(), ours.end())) << picture->w;
    }
    destroy_bitmap(colours);
}

TEST_F(SimCommand, PlaysTheLevelsOfAPackFile) {
    PackLevel one;
    one.name = "one";
    one.records = {{REC_BOMB, -2048, -2048, 0, 0, 4, 0, 0}, {REC_HAMSTER, 100, 104, 0, 0, 0, 0, 0},
                   {REC_BLOCK, 100, 130, 0, 0, 0, 0, 0},   {REC_EXIT, 80, 90, 40, 40, 0, 0, 0},
                   {}};
    PackLevel two = one;
    two.records.erase(two.records.begin() + 3);  // no exit: never complete
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(PathOf("two.pak"), EncodePack({one, two}), error)) << error;

    // The pack is found from the working directory, not the program's. The
    // hamster touches the exit from frame 1: 120 frames to count in, then
    // the banner's 121.
    EXPECT_EQ(Exec("--pack two.pak --level 1").out, "complete frame=241\n");
    EXPECT_EQ(Exec("--pack two.pak --level 2 --frames 500").out, "incomplete frames=500\n");
    const Outcome three = Exec("--pack two.pak --level 3");
    EXPECT_EQ(three.status, kSimUsageError);
    EXPECT_NE(three.err.find("there are levels 1 to 2"), std::string::npos) << three.err;
}

}  // namespace

// --random-share: a seed gives the same guesses anywhere, every guess it
// reports as completing does complete when played alone, lies where the
// mouse puts a bomb and within a blast's reach of the hamster, and a level
// that no bomb can complete has no share at all.
TEST(SimRandomShare, GuessesAreSeededNearTheHamsterAndTheCompletingOnesComplete) {
    PackFile pack;
    std::string error;
    ASSERT_TRUE(ReadPackFile(ZANDROVE_MORE_PACK, pack, error)) << error;
    SimOptions o;
    o.pack = ZANDROVE_MORE_PACK;
    o.level = 1;  // one bomb solves it: some guesses do
    o.randomShare = 300;
    o.seed = 11;
    o.shown = 1000;
    std::ostringstream out1, out2, err;
    ASSERT_EQ(RunSim(o, pack.levels, nullptr, out1, err), 0) << err.str();
    ASSERT_EQ(RunSim(o, pack.levels, nullptr, out2, err), 0) << err.str();
    EXPECT_EQ(out1.str(), out2.str()) << "the same seed must draw the same guesses";

    std::istringstream lines(out1.str());
    std::string line;
    int completing = 0;
    const LevelRecord* records = pack.levels[0].records.data();
    const std::vector<BombPlacement> free = FreePositionsNearHamsters(records);
    while (std::getline(lines, line) && line.rfind("--bomb ", 0) == 0) {
        int x = 0, y = 0, fuse = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "--bomb %d,%d,%d", &x, &y, &fuse), 3) << line;
        EXPECT_TRUE(InMouseReach(x, y)) << line;
        EXPECT_TRUE(std::any_of(free.begin(), free.end(), [&](const BombPlacement& b) { return b.x == x && b.y == y; }))
            << line;
        LevelRun run(records, {{0, static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<int16_t>(fuse)}});
        while (run.Next() && run.Frame() < 3600) {
        }
        EXPECT_TRUE(run.Complete()) << line;
        ++completing;
    }
    EXPECT_GT(completing, 0);
    EXPECT_NE(line.find("random share: " + std::to_string(completing) + " of 300 "), std::string::npos) << line;
    // The free positions are those within 80 px of the hamster, none inside a block.
    for (const BombPlacement& b : free) EXPECT_TRUE(InMouseReach(b.x, b.y));

    o.seed = 12;
    std::ostringstream other;
    ASSERT_EQ(RunSim(o, pack.levels, nullptr, other, err), 0);
    EXPECT_NE(other.str(), out1.str()) << "another seed draws other guesses";

    // Without an exit nothing completes.
    LevelList noExit = pack.levels;
    std::vector<LevelRecord>& recs = noExit[0].records;
    recs.erase(std::remove_if(recs.begin(), recs.end(), [](const LevelRecord& r) { return r.type == REC_EXIT; }),
               recs.end());
    std::ostringstream none;
    ASSERT_EQ(RunSim(o, noExit, nullptr, none, err), 0);
    EXPECT_NE(none.str().find("random share: 0 of 300 random single bombs complete the level (0.00 %)"),
              std::string::npos)
        << none.str();
}
