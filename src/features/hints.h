#pragma once
// Hints for the level in play: the solver searches in the background from
// the bombs the player has placed (from the inventory alone when that finds
// nothing), only where a mouse can place a bomb, and puts the solutions it
// finds in order, the most forgiving to the hand first. Each ask then shows
// one more bomb of the best as a ghost; a click on a ghost places it.
#include <chrono>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "sim/placement.h"
#include "solve/solve_search.h"

struct Assets;
struct LevelRecord;
struct Picture;
class World;

class Hints {
public:
    explicit Hints(double budgetSeconds = 20) : budget_(budgetSeconds) {}

    // A new level: any search stops, nothing is shown.
    void Reset();
    // How long a hint may take from the next ask on, whatever searches it
    // runs (a slower build's tests give it longer; the game keeps its 20 s).
    void SetBudget(double seconds) { budget_ = seconds; }
    // H: the next ghost if a solution is known and the player's bombs stand
    // where it has them (none after its last), else a search from them.
    void Ask(const LevelRecord* records, const std::vector<BombPlacement>& placed);
    // Once a frame, never blocking.
    void Poll();

    bool Searching() const { return searching_; }
    bool Used() const { return used_; }  // a ghost was shown in this level
    // The ghosts to show: the solution's bombs beyond those the player had.
    std::span<const BombPlacement> Ghosts() const;
    // The ghost whose bomb would lie under the point, or null.
    const BombPlacement* GhostAt(int x, int y) const;
    // The best solution's forgiveness (of the ghosts' bombs), empty when unmeasured.
    const Forgiveness& GhostForgiveness() const { return forgiveness_; }
    // "searching for a hint... 3 s", a notice for a while ("no hint found"), or empty.
    std::string Status() const;
    // Something to draw over the frame: a status line, or ghosts in edit mode.
    bool Showing(bool editMode) const { return searching_ || noticeFrames_ > 0 || (editMode && !Ghosts().empty()); }

    // The status line, and in edit mode the ghosts the world's bombs do not
    // stand on yet (translucent bombs with their fuses read out as the HUD's).
    void Draw(Picture* target, const Assets& assets, int hudTop, const World& world) const;

private:
    bool StartSearch(const std::vector<BombPlacement>& prefix);
    double SecondsAsked() const;
    void Notice(const char* text);
    // Status() into a buffer of the frame's own: nothing allocated per frame.
    void StatusText(char* out, size_t size) const;

    double budget_;
    std::unique_ptr<SolveSearch> solve_ = NewSolveSearch();
    const LevelRecord* records_ = nullptr;
    std::vector<BombPlacement> prefix_;
    std::chrono::steady_clock::time_point asked_;  // the hint's whole time runs from here
    bool searching_ = false;
    bool used_ = false;
    std::vector<BombPlacement> solution_;
    Forgiveness forgiveness_;
    size_t first_ = 0;  // the solution's first bomb the player did not place
    size_t shown_ = 0;
    const char* notice_ = "";
    int noticeFrames_ = 0;
};
