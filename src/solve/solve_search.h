#pragma once
// A search behind the live game, whichever way it runs: on a thread of the
// game's own process (BackgroundSolve) or in a web page's worker
// (platform/web). The game starts it, looks at it once a frame, never waits.
#include <memory>

#include "sim/level_record.h"
#include "solve/solver.h"

class SolveSearch {
public:
    virtual ~SolveSearch() = default;

    // Starts searching a copy of the records (up to and including REC_END),
    // cancelling a search still running. False when it could not be started;
    // then nothing runs.
    virtual bool Start(const LevelRecord* records, const SolveSettings& settings) = 0;

    enum class State { Idle, Running, Done, Failed };
    // Takes in what the search has done; never blocks. Call once a frame.
    virtual State Poll() = 0;
    virtual State Current() const = 0;
    virtual long Attempts() const = 0;   // placements tried so far
    virtual double Seconds() const = 0;  // since Start, or the search's own time once Done
    virtual const SolveReport& Report() const = 0;  // when Done
    // Stops the search; nothing of it is left running. Back to Idle.
    virtual void Cancel() = 0;
};

// The platform's search behind the frames: a thread of the game's own
// natively (BackgroundSolve), the page's solver worker on the web.
std::unique_ptr<SolveSearch> NewSolveSearch();
