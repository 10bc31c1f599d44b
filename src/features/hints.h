#pragma once
// Hints for the level in play: the solver searches in the background from
// the bombs the player has placed (from the inventory alone when that finds
// nothing); each ask then shows one more bomb of the solution as a ghost.
#include <span>
#include <string>
#include <vector>

#include "sim/placement.h"
#include "solve/background_solve.h"

struct Assets;
struct LevelRecord;
struct Picture;

class Hints {
public:
    explicit Hints(double budgetSeconds = 20) : budget_(budgetSeconds) {}

    // A new level: any search stops, nothing is shown.
    void Reset();
    // How long a search may take from the next one on (a slower build's tests
    // give it longer; the game keeps its 20 s).
    void SetBudget(double seconds) { budget_ = seconds; }
    // H: the next ghost if a solution is known (none after its last), else a search.
    void Ask(const LevelRecord* records, const std::vector<BombPlacement>& placed);
    // Once a frame, never blocking.
    void Poll();

    bool Searching() const { return searching_; }
    bool Used() const { return used_; }  // a ghost was shown in this level
    // The ghosts to show: the solution's bombs beyond those the player had.
    std::span<const BombPlacement> Ghosts() const;
    // "searching for a hint... 3 s", a notice for a while ("no hint found"), or empty.
    std::string Status() const;
    // Something to draw over the frame: a status line, or ghosts in edit mode.
    bool Showing(bool editMode) const { return searching_ || noticeFrames_ > 0 || (editMode && !Ghosts().empty()); }

    // The status line, and in edit mode the ghosts (translucent bombs with
    // their fuse read-outs).
    void Draw(Picture* target, const Assets& assets, int hudTop, bool editMode) const;

private:
    bool StartSearch(const std::vector<BombPlacement>& prefix);
    void Notice(const char* text);
    // Status() into a buffer of the frame's own: nothing allocated per frame.
    void StatusText(char* out, size_t size) const;

    double budget_;
    BackgroundSolve solve_;
    const LevelRecord* records_ = nullptr;
    std::vector<BombPlacement> prefix_;
    bool searching_ = false;
    bool used_ = false;
    std::vector<BombPlacement> solution_;
    size_t first_ = 0;  // the solution's first bomb the player did not place
    size_t shown_ = 0;
    const char* notice_ = "";
    int noticeFrames_ = 0;
};
