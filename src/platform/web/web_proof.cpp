// The designer's checks after a search (how forgiving each solution is, and
// whether one bomb could do) on the page: not run. The page's solver worker
// takes one search at a time and has no shared memory for the checks' own
// threads; the designer then shows the search's solutions without them, as
// it does natively when no thread can be started.
#include "solve/background_proof.h"

struct BackgroundProof::Work {};

BackgroundProof::BackgroundProof() = default;
BackgroundProof::~BackgroundProof() = default;

bool BackgroundProof::Start(const LevelRecord*, std::vector<std::vector<BombPlacement>>, bool, int, int) {
    return false;
}

BackgroundProof::State BackgroundProof::Poll() { return state_; }
double BackgroundProof::Decided() const { return 0; }
double BackgroundProof::Seconds() const { return 0; }
void BackgroundProof::Cancel() { state_ = State::Idle; }
