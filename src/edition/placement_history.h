#pragma once
// The player's bombs as they stood before each change in edit mode, to take
// the changes back one at a time (Ctrl+Z): a bomb taken out, moved, put back
// or given another fuse. What one press of a button does, a whole drag, is
// one change.
#include <cstddef>
#include <cstdint>
#include <vector>

class World;

namespace edition {

class PlacementHistory {
public:
    void LevelStarted(const World& world);
    // After every edit-mode frame; held: a mouse button is down in it.
    void AfterFrame(const World& world, bool held);
    // The last change taken back; false when there is none.
    bool Undo(World& world);
    size_t Size() const { return before_.size(); }

private:
    struct Slot {
        bool placed = false;
        int16_t x = 0, y = 0;
        int fuse = 0;
        friend bool operator==(const Slot&, const Slot&) = default;
    };
    using Bombs = std::vector<Slot>;
    static Bombs Of(const World& world);

    std::vector<Bombs> before_;
    Bombs last_;
    bool inGesture_ = false;  // changes while a button stays down are one
};

}  // namespace edition
