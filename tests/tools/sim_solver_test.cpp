// The solver's parts: its worker threads, where it tries bombs, how it
// judges and cuts short an attempt, and the search as a whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <set>
#include <sstream>
#include <thread>

#include "packs/builtin_levels.h"
#include "sim/fuse.h"
#include "sim/geometry.h"
#include "sim/play_field.h"
#include "sim/player.h"
#include "solve/attempt.h"
#include "solve/bomb_options.h"
#include "solve/candidates.h"
#include "solve/level_run.h"
#include "solve/nav_field.h"
#include "solve/solver.h"
#include "solve/worker_pool.h"

namespace {

constexpr LevelRecord R(int16_t type, int16_t x = 0, int16_t y = 0, int16_t w = 0, int16_t h = 0) {
    return {type, x, y, w, h, 4, 0, 0};
}

// The solver needs neither Allegro nor the assets: these tests start neither.
class Solver : public ::testing::Test {};

TEST(WorkerPool, EveryJobRunsOnceOnOneWorkerAtATimeAndEveryResultComesBackHere) {
    const int count = 5000;
    const StopSignal far{SolveClock::now() + std::chrono::hours(1)};
    const std::thread::id caller = std::this_thread::get_id();
    for (int workers : {1, 2, 3}) {
        std::vector<int> seen(count, 0);
        long taken = 0;
        // A worker's world is its own only if no two jobs of one worker overlap.
        std::vector<std::atomic<int>> busy(static_cast<size_t>(workers));
        auto square = [&](int worker, int job) {
            EXPECT_EQ(busy.at(static_cast<size_t>(worker)).fetch_add(1), 0) << "worker " << worker;
            JobResult r;
            r.frame = job * job;
            r.complete = job % 7 == 0;
            busy[static_cast<size_t>(worker)].fetch_sub(1);
            return r;
        };
        const long ran = RunJobs(count, workers, far, square, [&](const JobResult& r) {
            EXPECT_EQ(std::this_thread::get_id(), caller);
            ASSERT_GE(r.job, 0);
            ASSERT_LT(r.job, count);
            EXPECT_EQ(r.frame, r.job * r.job);
            EXPECT_EQ(r.complete, r.job % 7 == 0 ? 1 : 0);
            seen[r.job] += 1;
            ++taken;
        });
        EXPECT_EQ(ran, count) << workers << " workers";
        EXPECT_EQ(taken, count);
        EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), count);
    }
    auto nothing = [](int, int) { return JobResult{}; };
    // Past the deadline nothing starts; no jobs, nothing to do.
    EXPECT_EQ(RunJobs(count, 2, {SolveClock::now() - std::chrono::seconds(1)}, nothing, [](const JobResult&) {}), 0);
    EXPECT_EQ(RunJobs(0, 2, far, nothing, [](const JobResult&) {}), 0);
}

// The live game cancels a hint by raising a flag: the workers stop taking
// jobs, and whatever ran is still handed back before RunJobs returns.
TEST(WorkerPool, ARaisedCancelFlagStopsTheJobs) {
    const int count = 1000;
    for (int workers : {1, 2}) {
        std::atomic<bool> cancel{false};
        std::atomic<long> worked{0};
        long taken = 0;
        const long ran = RunJobs(
            count, workers, {SolveClock::time_point::max(), &cancel},
            [&](int, int) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                ++worked;
                return JobResult{};
            },
            [&](const JobResult&) {
                if (++taken == 3) cancel = true;
            });
        EXPECT_LT(ran, count / 2) << workers << " workers";
        EXPECT_EQ(ran, taken);
        EXPECT_EQ(worked.load(), taken);
    }
}

TEST(NavField, MeasuresTheWayRoundWallsToTheNearestExit) {
    const Box hamster{-12, -12, 24, 24};
    // A wall from high above the screen down to y = 300 between the
    // hamster's side (x < 200) and the exit.
    const std::vector<Box> wall = {{200, -400, 20, 700}};
    const std::vector<Box> exits = {{300, 100, 40, 40}};
    const NavField open({}, exits, hamster);
    const NavField walled(wall, exits, hamster);
    EXPECT_EQ(open.Distance(320, 120), 0);
    EXPECT_EQ(walled.Distance(320, 120), 0);
    const int straight = open.Distance(150, 120);
    EXPECT_GE(straight, 130);  // at least the gap to the exit's touching distance
    EXPECT_LE(straight, 160);
    EXPECT_GT(walled.Distance(150, 120), straight + 300);  // down past the wall's end and back up
    EXPECT_LT(walled.Distance(150, 120), straight + 400);
    EXPECT_GT(open.Distance(-400, 120), open.Distance(-100, 120));  // beyond the field still grows
    // Boxed in all round: no way at all.
    const std::vector<Box> box = {{0, 0, 200, 20}, {0, 180, 200, 20}, {0, 0, 20, 200}, {180, 0, 20, 200}};
    EXPECT_EQ(NavField(box, exits, hamster).Distance(100, 100), NavField::kFar);

    // A level of many blocks stacked on a few cells, as a player's pack may
    // hold: the field is what those few cells give, and is found in the time
    // of its blocks (it once tested every cell against every block).
    std::vector<Box> crowd;
    for (int i = 0; i < 300000; ++i) crowd.push_back(wall[0]);
    const NavField crowded(crowd, exits, hamster);
    for (int y = -300; y < 600; y += 7)
        for (int x = -150; x < 790; x += 7) ASSERT_EQ(crowded.Distance(x, y), walled.Distance(x, y)) << x << "," << y;
}

TEST_F(Solver, AttemptsStopOnceTheOutcomeIsCertainAndRecordThePath) {
    AttemptRunner level1(BuiltinLevels[0], 3600);
    Trajectory still;
    const AttemptOutcome idle = level1.Run({}, &still);
    EXPECT_FALSE(idle.complete);
    EXPECT_LT(idle.frame, 100);  // resting far from the exit: nothing will change
    EXPECT_TRUE(still.settled);
    EXPECT_EQ(still.LastFrame(), idle.frame);
    EXPECT_EQ(still.At(0, 0).x, 80 * 256);  // frame 0: as built
    EXPECT_EQ(still.At(0, 0).y, 88 * 256);
    EXPECT_GT(idle.score, 0);

    // Level 10's hamster falls at once and out of everyone's reach.
    AttemptRunner level10(BuiltinLevels[9], 3600);
    Trajectory falling;
    const AttemptOutcome fell = level10.Run({}, &falling);
    EXPECT_FALSE(fell.complete);
    EXPECT_FALSE(falling.settled);
    EXPECT_LT(fell.frame, 200);
    EXPECT_GT(falling.At(falling.LastFrame(), 0).y >> 8, kScreenHeight);
    EXPECT_LT(level10.Run({}).frame, fell.frame);  // without a path to record it gives up sooner

    // A solution completes in the same frame as in a plain run.
    AttemptRunner level3(BuiltinLevels[2], 3600);
    const AttemptOutcome solved = level3.Run({{0, 228, 404, 6}});
    EXPECT_TRUE(solved.complete);
    EXPECT_EQ(solved.frame, 342);
    EXPECT_EQ(solved.score, 0);
    EXPECT_FALSE(AttemptRunner(BuiltinLevels[2], 341).Run({{0, 228, 404, 6}}).complete);
}

TEST_F(Solver, BlastFrameFollowsTheOrderOfBombAndHamster) {
    // Stepped before the hamster, a bomb's blast meets it in the frame its
    // count reaches 1; stepped after it, one frame later.
    const LevelRecord before[] = {R(REC_BOMB), R(REC_HAMSTER, 100, 100), R(REC_BLOCK, 100, 130), {}};
    const LevelRecord after[] = {R(REC_HAMSTER, 100, 100), R(REC_BOMB), R(REC_BLOCK, 100, 130), {}};
    EXPECT_EQ(AttemptRunner(before, 600).BlastFrame(0, 60, 0), 59);
    EXPECT_EQ(AttemptRunner(after, 600).BlastFrame(0, 60, 0), 60);
    EXPECT_EQ(AttemptRunner(before, 600).BlastFrame(0, 0, 0), 5);      // the HUD's shortest fuse
    EXPECT_EQ(AttemptRunner(before, 600).BlastFrame(0, 9000, 0), 584);  // and its longest
    // Checked against the game: the hamster is blasted in exactly that frame.
    for (const LevelRecord* records : {before, after}) {
        AttemptRunner runner(records, 600);
        LevelRun run(records, {{0, 110, 104, 30}});
        int blastedAt = -1;
        while (run.Next() && run.Frame() < 100) {
            if (blastedAt < 0 && run.Hamsters()[0]->Blasted) blastedAt = run.Frame();
        }
        EXPECT_EQ(blastedAt, runner.BlastFrame(0, 30, 0));
    }
}

TEST_F(Solver, CandidatesLieWithinReachOfTheHamsterWhenTheBombGoesOff) {
    AttemptRunner runner(BuiltinLevels[9], 3600);  // level 10: a falling hamster
    Trajectory path;
    runner.Run({}, &path);
    std::unordered_set<uint64_t> seen;
    std::vector<Candidate> coarse, fine;
    AddCandidates(runner, {}, path, 0, 0, seen, coarse);
    AddCandidates(runner, {}, path, 1, 0, seen, fine);
    ASSERT_FALSE(coarse.empty());
    ASSERT_GT(fine.size(), coarse.size());
    std::set<std::tuple<int, int, int>> all;
    for (const std::vector<Candidate>* list : {&coarse, &fine}) {
        for (const Candidate& c : *list) {
            const int before = runner.BlastFrame(0, c.bomb.fuse, 0) - 1;
            ASSERT_LE(before, path.LastFrame());
            const HamsterSnapshot& h = path.At(before, 0);
            const double dx = (h.x >> 8) - c.bomb.x, dy = (h.y >> 8) - c.bomb.y;
            EXPECT_LE(std::sqrt(dx * dx + dy * dy), 80.0) << c.bomb.x << "," << c.bomb.y << "," << c.bomb.fuse;
            EXPECT_TRUE(c.bomb.x >= 0 && c.bomb.x < kScreenWidth && c.bomb.y >= 0 && c.bomb.y < kScreenHeight);
            EXPECT_TRUE(all.insert({c.bomb.x, c.bomb.y, c.bomb.fuse}).second) << "tried twice";
        }
    }
    // A later bomb never goes off before the bombs already placed.
    std::vector<Candidate> next;
    std::unordered_set<uint64_t> seenNext;
    AddCandidates(runner, {{0, 64, 300, 30}}, path, 0, 0, seenNext, next);
    for (const Candidate& c : next) EXPECT_GE(c.bomb.fuse, 30);

    // A hamster at rest gives the same world whatever the fuse: the
    // duplicates are left out, only the first frames of its rocking remain.
    AttemptRunner resting(BuiltinLevels[2], 3600);
    Trajectory still;
    resting.Run({}, &still);
    std::unordered_set<uint64_t> seenStill;
    std::vector<Candidate> atRest;
    AddCandidates(resting, {}, still, 0, 0, seenStill, atRest);
    std::set<int> fuses;
    for (const Candidate& c : atRest) fuses.insert(c.bomb.fuse);
    EXPECT_LT(fuses.size(), kSettableFuses.size() / 4);
}

// A try from a checkpoint must be the very run a try from frame 0 is: same
// outcome, same score, same path, for solutions and near misses alike.
TEST_F(Solver, ATryFromACheckpointIsTheRunFromTheStart) {
    struct Case {
        int level;
        std::vector<BombPlacement> bombs;  // the last one is tried from a checkpoint
    };
    const std::vector<Case> cases = {
        {9, {{0, 48, 336, 30}, {1, 297, 418, 195}}},  // the recorded solutions
        {10, {{0, 64, 458, 60}, {1, 1, 359, 75}, {2, 0, 59, 105}}},
        {9, {{0, 48, 336, 30}, {1, 290, 410, 195}}},  // near misses
        {9, {{0, 48, 336, 30}, {1, 297, 418, 6}}},
        {10, {{0, 64, 458, 60}, {1, 1, 359, 75}, {2, 4, 60, 120}}},
        {6, {{0, 548, 104, 6}, {1, 399, 177, 105}}},
    };
    for (const Case& c : cases) {
        AttemptRunner runner(BuiltinLevels[c.level - 1], 3600);
        const std::vector<BombPlacement> base(c.bombs.begin(), c.bombs.end() - 1);
        Trajectory full, extended;
        const AttemptOutcome whole = runner.Run(c.bombs, &full);
        const Checkpoints saved = runner.Prepare(base, kSettableFuses);
        const AttemptOutcome late = runner.Extend(saved, c.bombs.back(), &extended);
        const std::string name = "level " + std::to_string(c.level) + " " + FormatBombOptions(c.bombs);
        EXPECT_EQ(late.complete, whole.complete) << name;
        EXPECT_EQ(late.frame, whole.frame) << name;
        EXPECT_EQ(late.score, whole.score) << name;
        EXPECT_EQ(extended.worldHash, full.worldHash) << name;
        EXPECT_EQ(extended.settled, full.settled) << name;
        EXPECT_EQ(runner.Extend(saved, c.bombs.back()).frame, runner.Run(c.bombs).frame) << name << " (no path)";
    }
}

TEST_F(Solver, FindsSolutionsThatPlayOutAsReported) {
    SolveSettings settings;
    settings.shown = 3;
    std::ostringstream out;
    const SolveReport report = Solve(BuiltinLevels[2], settings, out);  // level 3
    ASSERT_GE(report.solutionCount, 3) << out.str();
    ASSERT_EQ(report.solutions.size(), 3u);
    for (const Solution& s : report.solutions) {
        ASSERT_EQ(s.bombs.size(), 1u);
        LevelRun run(BuiltinLevels[2], s.bombs);
        while (run.Next()) {
        }
        EXPECT_TRUE(run.Complete()) << FormatBombOptions(s.bombs);
        EXPECT_EQ(run.Frame(), s.frame) << FormatBombOptions(s.bombs);
    }
    const std::string text = out.str();
    EXPECT_EQ(text.rfind("searching: 1 hamster, 1 bomb(s) to place", 0), 0u) << text;
    std::istringstream lines(text);
    std::string l;
    std::vector<Solution> printed;
    while (std::getline(lines, l)) {
        Solution s;
        s.bombs.resize(1);
        double after = 0;
        int used = 0;
        if (std::sscanf(l.c_str(), "--bomb %hd,%hd,%d complete frame=%d (after %lf s)%n", &s.bombs[0].x, &s.bombs[0].y,
                        &s.bombs[0].fuse, &s.frame, &after, &used) == 5 &&
            used == static_cast<int>(l.size()))
            printed.push_back(s);
    }
    ASSERT_EQ(printed.size(), 3u) << text;
    for (size_t i = 0; i < printed.size(); ++i) {
        EXPECT_EQ(printed[i].bombs, report.solutions[i].bombs);
        EXPECT_EQ(printed[i].frame, report.solutions[i].frame);
    }
    EXPECT_NE(text.find(std::to_string(report.solutionCount) + " solutions"), std::string::npos) << text;
    EXPECT_FALSE(report.solvedWithNoBomb || report.solvedByFirstPlacement) << text;
    EXPECT_EQ(text.find("warning:"), std::string::npos) << text;

    // Level 6 needs two bombs; given the first, the search only adds a second.
    settings.prefix = {{0, 484, 172, 15}};
    settings.shown = 100;
    std::ostringstream again;
    const SolveReport rest = Solve(BuiltinLevels[5], settings, again);
    ASSERT_GT(rest.solutionCount, 0) << again.str();
    for (const Solution& s : rest.solutions) {
        ASSERT_EQ(s.bombs.size(), 2u);
        EXPECT_EQ(s.bombs[0], settings.prefix[0]);
        EXPECT_GE(s.bombs[1].fuse, s.bombs[0].fuse);  // bombs are added in the order they go off
    }

    // Given bombs that already complete level 1, nothing is added to them.
    settings.prefix = {{0, 56, 112, 6}};
    std::ostringstream done;
    const SolveReport given = Solve(BuiltinLevels[0], settings, done);
    EXPECT_EQ(given.solutionCount, 1);
    EXPECT_EQ(given.attempts, 1);
    EXPECT_NE(done.str().find("(the given bombs complete it)"), std::string::npos) << done.str();
}

TEST_F(Solver, SaysSoWhenThereIsNothingToFindOrNoTimeToFindIt) {
    // Counting in an exit takes at least 241 frames: within 12 nothing can
    // complete the level, wherever the bomb goes.
    const LevelRecord corner[] = {R(REC_BOMB), R(REC_HAMSTER, 12, 8), R(REC_BLOCK, 10, 30), R(REC_EXIT, 0, 0, 40, 40),
                                  {}};
    SolveSettings settings;
    settings.frames = 12;
    settings.budgetSeconds = 1e6;  // exhaustion must not depend on how busy the machine is
    std::ostringstream out;
    SolveReport report = Solve(corner, settings, out);
    EXPECT_EQ(report.solutionCount, 0);
    EXPECT_TRUE(report.exhausted);
    EXPECT_GT(report.attempts, 1000);  // every pixel within reach on the screen
    EXPECT_NE(out.str().find("no solution (every candidate tried)"), std::string::npos) << out.str();

    // Without a hamster the level completes by itself.
    const LevelRecord empty[] = {R(REC_BOMB), R(REC_BLOCK, 100, 100), {}};
    settings.frames = 3600;
    std::ostringstream nothing;
    report = Solve(empty, settings, nothing);
    EXPECT_EQ(report.solutionCount, 1);
    EXPECT_NE(nothing.str().find("(no bombs) complete frame=120"), std::string::npos) << nothing.str();
    // That is no puzzle, and every pack's author is told so.
    EXPECT_TRUE(report.solvedWithNoBomb);
    EXPECT_NE(nothing.str().find("warning: solved with no bomb\n"), std::string::npos) << nothing.str();
    EXPECT_EQ(TooEasyWarnings(SolveReport{}), "");

    // A budget too small for level 9's three bombs stops the search, and says why.
    settings.budgetSeconds = 0.001;
    std::ostringstream hurried;
    report = Solve(BuiltinLevels[8], settings, hurried);
    EXPECT_FALSE(report.exhausted);
    EXPECT_NE(hurried.str().find("budget used up"), std::string::npos) << hurried.str();
}

}  // namespace
