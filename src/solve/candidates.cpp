#include "solve/candidates.h"

#include <algorithm>

#include "sim/fuse.h"
#include "sim/geometry.h"
#include "sim/play_field.h"

namespace {

constexpr int kReach = 80;       // a blast moves a hamster within this many pixels
constexpr int kBlastHalf = 64;   // half the burning bomb's box
constexpr Box kHamsterBox{-12, -12, 24, 24};

uint64_t Key(uint64_t world, int x, int y, int frame) {
    uint64_t h = world ^ 0x9e3779b97f4a7c15ull;
    for (uint64_t v : {uint64_t(uint16_t(x)), uint64_t(uint16_t(y)), uint64_t(uint32_t(frame))}) {
        h ^= v + (h << 6) + (h >> 2);
        h *= 0xff51afd7ed558ccdull;
    }
    return h;
}

// The box the hamster's broad phase tests in the blast frame: a strip under
// it when resting, else its box where this frame's move takes it.
Box BroadBox(const HamsterSnapshot& s) {
    if (s.resting) {
        return {static_cast<short>((s.x >> 8) + kHamsterBox.x),
                static_cast<short>((s.y >> 8) + kHamsterBox.y + kHamsterBox.h), kHamsterBox.w, 3};
    }
    return {static_cast<short>(((s.x + s.vx) >> 8) + kHamsterBox.x),
            static_cast<short>(((s.y + s.vy) >> 8) + kHamsterBox.y), kHamsterBox.w, kHamsterBox.h};
}

}  // namespace

void AddCandidates(const AttemptRunner& runner, const std::vector<BombPlacement>& placed,
                   const Trajectory& trajectory, int pass, int node, std::unordered_set<uint64_t>& seen,
                   std::vector<Candidate>& out, bool inMouseReach) {
    const int slot = FreeSlot(placed, runner.Placeable());
    if (slot < 0) return;
    const int step = 8 >> pass;
    int earliest = 0;
    for (const BombPlacement& b : placed) earliest = std::max(earliest, LimitedFuse(b.fuse));
    const int pendingUntil = runner.LastBlast(placed);
    const int steps = kReach / step;

    for (int fuse : kSettableFuses) {
        if (fuse < earliest || fuse > runner.FrameLimit()) continue;
        for (int h = 0; h < runner.HamsterCount(); ++h) {
            const int blast = runner.BlastFrame(slot, fuse, h);
            int before = blast - 1;  // the hamster meets the blast in the state this frame left
            if (before > trajectory.LastFrame()) {
                if (!trajectory.settled) continue;  // it fell out of reach, or time ran out
                before = trajectory.LastFrame();    // still ever since
            }
            const HamsterSnapshot& s = trajectory.At(before, h);
            const Box broad = BroadBox(s);
            const int px = s.x >> 8, py = s.y >> 8;
            const uint64_t world = trajectory.worldHash[before];
            const int when = blast <= pendingUntil ? blast : -1;
            for (int j = -steps; j <= steps; ++j) {
                for (int i = -steps; i <= steps; ++i) {
                    if (pass > 0 && i % 2 == 0 && j % 2 == 0) continue;  // an earlier pass had it
                    const int dx = i * step, dy = j * step;
                    if (dx * dx + dy * dy > kReach * kReach) continue;
                    const int bx = px - dx, by = py - dy;
                    if (bx < 0 || bx >= kScreenWidth || by < 0 || by >= kScreenHeight) continue;
                    if (inMouseReach && !InMouseReach(bx, by)) continue;
                    const Box bombBox{static_cast<short>(bx - kBlastHalf), static_cast<short>(by - kBlastHalf),
                                      2 * kBlastHalf, 2 * kBlastHalf};
                    if (!Overlaps(broad, bombBox)) continue;
                    if (!seen.insert(Key(world, bx, by, when)).second) continue;
                    out.push_back({node, {slot, static_cast<int16_t>(bx), static_cast<int16_t>(by), fuse}});
                }
            }
        }
    }
}
