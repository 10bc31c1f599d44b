#pragma once
// How far a hamster at some point is from counting in an exit, going round
// solid blocks: the solver's measure of how promising an attempt was.
#include <vector>

#include "sim/geometry.h"

class NavField {
public:
    // solids: blocks (bricks break, so they are not walls); exits: the exit
    // areas. hamsterBox is the hamster's box relative to its position.
    NavField(const std::vector<Box>& solids, const std::vector<Box>& exits, Box hamsterBox);

    // Pixels along free space from the hamster's whole-pixel position
    // (x, y) to a position touching an exit; kFar where no way leads.
    int Distance(int x, int y) const;

    static constexpr int kFar = 1 << 20;

private:
    template <class Each>
    static void ForCellsAt(const Box& box, Box hamsterBox, bool touching, Each each);

    static constexpr int kCell = 4;  // pixels
    static constexpr int kLeft = -160, kTop = -320, kColumns = 240, kRows = 240;
    std::vector<int> cells_;  // in cells; -1 where unreachable
};
