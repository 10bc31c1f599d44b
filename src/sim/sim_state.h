#pragma once
// Everything the simulation keeps from one frame to the next, listed once:
// the frame's globals, the world's objects and lists, and the particle ring.
// Reset, snapshot and restore are all derived from that one list, so a new
// piece of state cannot be forgotten by one of them.
#include <memory>

// Back to the state of a program that has just started: no world, no
// particles, edit mode, every flag and count cleared. The level table is
// left alone: it is not play state.
void ResetSimulation();

// The whole play state at one moment. It can be restored onto the world it
// was taken from, or onto any world built since from the same records (the
// objects are matched by their place in the lists, not by address).
class SimSnapshot {
public:
    SimSnapshot();
    ~SimSnapshot();
    SimSnapshot(const SimSnapshot&);
    SimSnapshot& operator=(const SimSnapshot&);
    SimSnapshot(SimSnapshot&&) noexcept;
    SimSnapshot& operator=(SimSnapshot&&) noexcept;

    static SimSnapshot Take();
    // False, changing nothing, when the world now built has other objects
    // than the one the snapshot was taken from.
    bool Restore() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};
