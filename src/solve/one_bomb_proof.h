#pragma once
// Whether one bomb can solve a level: its first inventory bomb tried at
// every pixel the mouse can put it (InMouseReach) with every fuse the HUD
// can set, each run as the solver runs an attempt. The search finds the one
// bomb that completes the level, or proves that none does.
//
// Most of the 231,375 x 40 placements need no run of their own, and which
// ones is decided exactly, not guessed:
// - A bomb acts on the play in one way only: its blast pushes a hamster, in
//   the one frame in which that hamster meets the blast in the list. Before
//   it the bomb changes nothing the play reads (a hamster noticing it
//   changes a picture and a sound). So the run with a bomb is the run
//   without it up to that meeting, and what the hamster is then (where it
//   is, how it moves, whether it rests) is the same for every position of
//   the bomb. The simulation's own collision is asked, for each position,
//   whether the blast reaches the hamster from there. A bomb that reaches
//   no hamster leaves the run as it is without the bomb, which does not
//   complete the level: it needs no run.
// - Two fuses whose runs without the bomb are in the same state (World's
//   PlayKey) three frames before their blasts, when a bomb with either fuse
//   has three frames left, give the same runs for every position, the later
//   fuse's later by the difference: once the shorter one fails everywhere,
//   so does the longer one, within the same frame limit.
// Every other placement is played from the saved run three frames before its
// blast, as the solver plays its attempts (AttemptRunner::Extend).
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sim/placement.h"
#include "solve/worker_pool.h"

struct LevelRecord;
struct Checkpoints;
class World;
class cBomb;

struct OneBombSettings {
    int frames = 3600;  // frames each run may take to complete the level
    int workers = 2;
    StopSignal stop;    // the proof ends early, unfinished, once this says so
    bool lowPriority = false;
    // Told, after each row of positions, how many of all placements are decided.
    std::function<void(long decided, long total)> progress;
};

struct OneBombProof {
    enum class Result {
        NoBomb,     // the level has no inventory bomb
        NoneNeeded, // it completes with no bomb placed
        Solved,     // one bomb completes it: solution
        Impossible, // proved: no single bomb within the mouse's reach does
        Stopped,    // stopped before it was decided
    };
    Result result = Result::Stopped;
    BombPlacement solution;  // Solved: the first in fuse, then row, then column order
    int completeFrame = 0;   // Solved: its completion frame
    long total = 0;          // positions x fuses
    long decided = 0;        // of them, decided when it ended
    long played = 0;         // runs played: placements whose blast reaches a hamster
    int fuses = 0;           // fuses searched themselves (the others repeat one of them)
    double seconds = 0;
};

// How many pixels the mouse can put a bomb's centre on.
long MouseReachPositions();

// What the proof decides without playing: for each fuse, whether an earlier
// fuse's runs repeat its own, and for each position, whether the blast
// reaches a hamster at all. Public so that the tests can hold both claims
// to whole runs.
class OneBombScreen {
public:
    // saved: the level run with no bomb, saved three frames before each
    // settable fuse's blast (AttemptRunner::Prepare({}, kSettableFuses)).
    OneBombScreen(const LevelRecord* records, const Checkpoints& saved);
    ~OneBombScreen();

    // The earliest fuse whose run without the bomb is in the same state three
    // frames before its blast, or the fuse itself; -1 when nothing of the
    // fuse's blast falls within the run's frames.
    int Repeats(int fuse) const;
    // A worker's own scratch world, in which one blast is met.
    class Scene;
    // Whether the first inventory bomb with this fuse at (x, y) pushes a
    // hamster. False means the run is the run without it. For a fuse that is
    // its own Repeats() only.
    bool Reaches(int fuse, int x, int y, Scene& scene) const;

private:
    class Probe;
    std::vector<int> repeats_;                 // per kSettableFuses entry
    std::vector<std::vector<Probe>> probes_;   // per kSettableFuses entry: per hamster
};

class OneBombScreen::Scene {
public:
    Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;
    void MoveTo(int x, int y);
    World& Where() { return *world_; }

private:
    std::unique_ptr<World> world_;
    std::unique_ptr<cBomb> blast_;
};

OneBombProof ProveOneBomb(const LevelRecord* records, const OneBombSettings& settings);

// The result in one line, as zandrove-sim --one-bomb prints it.
std::string OneBombLine(const OneBombProof& proof);
