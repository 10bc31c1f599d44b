// The solver behind the live game: the same answer as a search in the
// foreground, progress while it runs, and nothing left running once it is
// cancelled or destroyed.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <sstream>
#include <thread>

#include "packs/level_table.h"
#include "solve/background_solve.h"
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
    settings.prefix = {{228, 404, 6}};  // level 3's recorded solution, complete already
    BackgroundSolve search;
    ASSERT_TRUE(search.Start(BuiltinLevels[2], settings));
    ASSERT_EQ(WaitUntilSettled(search, 60), State::Done);
    ASSERT_EQ(search.Report().solutions.size(), 1u);
    EXPECT_EQ(search.Report().solutions[0].bombs, settings.prefix);
    EXPECT_EQ(search.Report().solutions[0].frame, 342);
}

TEST(BackgroundSolve, CancelAndDestructionLeaveNoProcessBehind) {
    SolveSettings settings;
    settings.budgetSeconds = 600;  // level 9 takes seconds; it is cancelled long before
    settings.workers = 2;
    pid_t group = -1;
    {
        BackgroundSolve search;
        ASSERT_TRUE(search.Start(BuiltinLevels[8], settings));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_EQ(search.Poll(), State::Running);
        search.Cancel();
        EXPECT_EQ(search.Poll(), State::Idle);
        ASSERT_TRUE(search.Start(BuiltinLevels[8], settings));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        search.Poll();
        group = search.Group();
        ASSERT_GT(group, 0);
        EXPECT_EQ(kill(-group, 0), 0);
    }
    // The group's workers are killed with it; give the kernel a moment to
    // take back the ones that were not this process's children.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (kill(-group, 0) == 0 && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_NE(kill(-group, 0), 0) << "a process of the search outlived it";
    EXPECT_LT(waitpid(-1, nullptr, WNOHANG), 1);
}

}  // namespace
