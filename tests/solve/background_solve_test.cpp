// The solver behind the live game: the same answer as a search in the
// foreground, progress while it runs, and nothing left running once it is
// cancelled or destroyed.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>

#include "packs/builtin_levels.h"
#include "solve/background_solve.h"
#include "solve/search_text.h"
#include "solve/solver.h"

namespace {

using State = BackgroundSolve::State;

State WaitUntilSettled(BackgroundSolve& search, double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    State state = search.Poll();
    while (state == State::Running && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        state = search.Poll();
    }
    return state;
}

TEST(BackgroundSolve, FindsWhatTheForegroundSearchFinds) {
    SolveSettings settings;
    settings.budgetSeconds = 30;
    settings.shown = 3;
    std::ostringstream ignored;
    const SolveReport direct = Solve(BuiltinLevels[2], settings, ignored);
    ASSERT_FALSE(direct.solutions.empty());

    BackgroundSolve search;
    EXPECT_EQ(search.Poll(), State::Idle);
    ASSERT_TRUE(search.Start(BuiltinLevels[2], settings));
    EXPECT_EQ(search.Current(), State::Running);
    ASSERT_EQ(WaitUntilSettled(search, 60), State::Done);
    const SolveReport& report = search.Report();
    EXPECT_EQ(report.solutionCount, direct.solutionCount);
    EXPECT_EQ(report.attempts, direct.attempts);
    EXPECT_EQ(search.Attempts(), direct.attempts);
    EXPECT_EQ(report.exhausted, direct.exhausted);
    ASSERT_EQ(report.solutions.size(), direct.solutions.size());
    for (size_t i = 0; i < report.solutions.size(); ++i) {
        EXPECT_EQ(report.solutions[i].bombs, direct.solutions[i].bombs);
        EXPECT_EQ(report.solutions[i].frame, direct.solutions[i].frame);
    }
    // Kept until the next start.
    EXPECT_EQ(search.Poll(), State::Done);
}

TEST(BackgroundSolve, KeepsTheGivenBombsWhenTheyCompleteTheLevel) {
    SolveSettings settings;
    settings.budgetSeconds = 30;
    settings.prefix = {{0, 228, 404, 6}};  // level 3's recorded solution, complete already
    BackgroundSolve search;
    ASSERT_TRUE(search.Start(BuiltinLevels[2], settings));
    ASSERT_EQ(WaitUntilSettled(search, 60), State::Done);
    ASSERT_EQ(search.Report().solutions.size(), 1u);
    EXPECT_EQ(search.Report().solutions[0].bombs, settings.prefix);
    EXPECT_EQ(search.Report().solutions[0].frame, 342);
}

// This process's threads, the test's own included.
int Threads() {
    int n = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) n += task.exists();
    return n;
}

// The threads back to the count before the search. A thread joined may take
// the kernel a moment longer to forget.
int ThreadsSettledAt(int before) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (Threads() > before && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return Threads();
}

// Waits until the search has tried placements for a while, and has been seen
// with at least expected threads (its workers come and go between rounds);
// returns the most threads seen meanwhile.
int WhileItRuns(BackgroundSolve& search, int expected = 0) {
    int most = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while ((search.Attempts() < 50 || most < expected) && std::chrono::steady_clock::now() < end) {
        most = std::max(most, Threads());
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return most;
}

TEST(BackgroundSolve, CancelAndDestructionLeaveNothingRunning) {
    SolveSettings settings;
    settings.budgetSeconds = 600;  // level 9 takes seconds; it is cancelled long before
    settings.workers = 2;
    const int before = Threads();
    {
        BackgroundSolve search;
        ASSERT_TRUE(search.Start(BuiltinLevels[8], settings));
        EXPECT_GE(WhileItRuns(search, before + 2), before + 2);  // the search and a worker beside it
        EXPECT_EQ(search.Poll(), State::Running);
        search.Cancel();
        EXPECT_EQ(search.Poll(), State::Idle);
        EXPECT_EQ(ThreadsSettledAt(before), before);
        ASSERT_TRUE(search.Start(BuiltinLevels[8], settings));
        WhileItRuns(search);
        EXPECT_EQ(search.Poll(), State::Running);
    }
    EXPECT_EQ(ThreadsSettledAt(before), before) << "a thread of the search outlived it";
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1) << "the search started a process";
}

}  // namespace

// The page's worker gets its search as text and answers with its report as
// text: both cross whole, and the search found there is the one found here.
TEST(SearchText, ASearchAndItsReportCrossToTheWorkerWhole) {
    SolveSettings settings;
    settings.budgetSeconds = 30;
    settings.frames = 2000;
    settings.shown = 2;
    settings.workers = 1;
    settings.prefix = {{0, 228, 404, 6}};
    const std::string text = SearchText(BuiltinLevels[2], settings);
    std::vector<LevelRecord> records;
    SolveSettings read;
    ASSERT_TRUE(ReadSearchText(text, records, read));
    EXPECT_EQ(SearchText(records.data(), read), text);
    EXPECT_EQ(read.prefix, settings.prefix);
    EXPECT_EQ(read.frames, 2000);
    EXPECT_FALSE(ReadSearchText(text.substr(0, text.rfind("record")), records, read)) << "a search without its end";

    std::ostringstream ignored;
    settings.prefix.clear();
    const SolveReport direct = Solve(BuiltinLevels[2], settings, ignored);
    ASSERT_FALSE(direct.solutions.empty());
    SolveReport back;
    ASSERT_TRUE(ReadReportText(ReportText(direct), back));
    EXPECT_EQ(ReportText(back), ReportText(direct));
    EXPECT_EQ(back.solutions[0].bombs, direct.solutions[0].bombs);
    EXPECT_EQ(back.attempts, direct.attempts);
    EXPECT_FALSE(ReadReportText("solution 12 x\n", back));

    // A hint's search asks for reach, gathering and order; its report
    // brings back how forgiving each solution is, which the hint's ghosts use.
    const SolveSettings hint = HintSettings(7, {{1, 100, 200, 8}});
    ASSERT_TRUE(ReadSearchText(SearchText(BuiltinLevels[2], hint), records, read));
    EXPECT_TRUE(read.inMouseReach);
    EXPECT_TRUE(read.forgiving);
    EXPECT_EQ(read.gather, hint.gather);
    SolveReport forgiving = direct;
    Forgiveness& f = forgiving.solutions[0].forgiveness;
    f.reach = 3;
    f.perBomb = {17};
    f.where = {0x1234567890abcdefULL};
    ASSERT_TRUE(ReadReportText(ReportText(forgiving), back));
    EXPECT_EQ(back.solutions[0].forgiveness.reach, 3);
    EXPECT_EQ(back.solutions[0].forgiveness.perBomb, f.perBomb);
    EXPECT_EQ(back.solutions[0].forgiveness.where, f.where);
    EXPECT_FALSE(ReadReportText("count 1\nforgiveness 3 1 2\n", back)) << "forgiveness of no solution";

    // The designer's checks after a search cross the same way.
    ProofAsked asked;
    ASSERT_TRUE(ReadProofText(ProofText(BuiltinLevels[2], {{{0, 228, 404, 6}}, {}}, true, 2000), asked));
    ASSERT_EQ(asked.solutions.size(), 2u);
    EXPECT_EQ(asked.solutions[0], (std::vector<BombPlacement>{{0, 228, 404, 6}}));
    EXPECT_TRUE(asked.solutions[1].empty());
    EXPECT_TRUE(asked.prove);
    EXPECT_EQ(asked.frames, 2000);
    EXPECT_EQ(SearchText(asked.records.data(), settings), SearchText(BuiltinLevels[2], settings));
    EXPECT_FALSE(ReadProofText(text, asked)) << "a search is no proof";
    ProofFound found{{f, {}}, true, {}};
    found.proof.result = OneBombProof::Result::Solved;
    found.proof.solution = {0, 228, 404, 6};
    found.proof.decided = 5;
    found.proof.total = 9;
    ProofFound again;
    const std::string foundText = ProofFoundText(found);
    ASSERT_TRUE(ReadProofFoundText(foundText, again));
    EXPECT_EQ(ProofFoundText(again), foundText);
    EXPECT_EQ(again.forgiveness.size(), 2u);
    EXPECT_EQ(again.proof.solution, found.proof.solution);
    EXPECT_FALSE(ReadProofFoundText(foundText.substr(0, foundText.size() - 4), again)) << "cut short";
}
