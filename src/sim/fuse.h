#pragma once
// A bomb's fuse: how many frames it burns before the bang. Every fuse the
// player sets is a whole number of quarter seconds, from "0" (the shortest,
// six frames) to 9 3/4 seconds; a fixed bomb's record gives its fuse in
// quarter seconds too. The HUD, the solver, the designer and the files all
// count fuses with these.
#include <algorithm>
#include <array>

constexpr int kQuarterSecond = 15;  // frames
constexpr int kShortestFuse = 6;
constexpr int kLongestFuse = 585;
constexpr int kLongestQuarters = kLongestFuse / kQuarterSecond;  // 39
constexpr int kInventoryFuse = 60;  // an inventory bomb's fuse before the player sets one

// The fuse the HUD gives for v frames: above 599 the longest, 0 or less the
// shortest, anything else as it is.
constexpr int LimitedFuse(int v) { return v > 599 ? kLongestFuse : v <= 0 ? kShortestFuse : v; }

// One quarter second shorter (d = -1) or longer (d = +1) than fuse, limited.
constexpr int FuseStepped(int fuse, int d) { return LimitedFuse((fuse / kQuarterSecond + d) * kQuarterSecond); }

// A fixed bomb's fuse from its record's param, in quarter seconds. Zero or
// less gives the shortest fuse, as the HUD's limit does: a negative count
// would never reach its blast and would burst every frame forever.
constexpr int FixedBombFuse(int param) {
    const int fuse = param * kQuarterSecond;
    return fuse <= 0 ? kShortestFuse : fuse;
}

// The quarter seconds a fuse with count frames left reads as, 0 to 39: what
// the HUD shows, never more than its longest fuse.
constexpr int ShownQuarters(int count) { return std::clamp(count / kQuarterSecond, 0, kLongestQuarters); }

// Every fuse the HUD can set, shortest first: 6, then 15 to 585 frames.
constexpr std::array<int, kLongestQuarters + 1> kSettableFuses = [] {
    std::array<int, kLongestQuarters + 1> fuses{};
    fuses[0] = kShortestFuse;
    for (int q = 1; q <= kLongestQuarters; ++q) fuses[static_cast<size_t>(q)] = q * kQuarterSecond;
    return fuses;
}();
