#pragma once
// One frame of the simulation: a World advanced by the player's commands of
// that frame. The game's frame, the solver, the tools, the tests and the web
// page all step worlds through here, so a level plays the same everywhere.
#include <array>
#include <cstddef>
#include <cstdint>

#include "sim/placement.h"

class World;

// What the player does to the bombs in one frame, in the order it happens.
struct Command {
    enum class Kind : uint8_t {
        Select,    // slot becomes the selected bomb
        Take,      // slot's bomb taken out of the inventory to the play-field's centre, and selected
        Place,     // the selected bomb put at (x, y)
        Nudge,     // the selected bomb moved by (x, y) pixels
        SetFuse,   // the selected bomb's fuse set to value frames, within the HUD's limits
        StepFuse,  // the selected bomb's fuse value quarter seconds longer (or shorter)
        // slot's bomb back in the inventory, as the level built it (off the
        // field, the inventory's fuse), and no longer selected. Only the
        // player's edition asks for it (a bomb dragged onto the inventory, an
        // undo); the game's own HUD never does.
        Return,
    };
    Kind kind = Kind::Select;
    int16_t slot = 0;
    int16_t x = 0, y = 0;
    int32_t value = 0;
};

// The edit/run toggle, decided by the player's input in that frame.
enum class Toggle : uint8_t {
    None,
    Deselect,        // a right click with a bomb selected only deselects it
    KeepSelection,   // Space: the mode changes, the selection stays
    ClearSelection,  // Esc, the right button or the HUD's mode button
};

// One frame's input record.
struct PlayerCommands {
    static constexpr int kMaxCommands = 8;  // far more than one frame's hands make
    std::array<Command, kMaxCommands> commands{};
    int count = 0;
    Toggle toggle = Toggle::None;

    void Add(const Command& c) {
        if (count < kMaxCommands) commands[static_cast<size_t>(count++)] = c;
    }
    // A placement as the solver and the replays give it: take, put, fuse.
    void Add(const BombPlacement& b);
    const Command* begin() const { return commands.data(); }
    const Command* end() const { return commands.data() + count; }
};

// One whole frame: StepMotion, then StepSettle.
void Step(World& world, const PlayerCommands& commands);

// The frame's first half: the commands applied (in edit mode, as the HUD
// applies them), the step's flags and sounds cleared, and in run mode every
// object collides with the whole list and steps, first to last.
void StepMotion(World& world, const PlayerCommands& commands);
// The second half: the toggle (a return to edit mode puts every object back)
// and the completion count, which pauses while a hamster is out of its exit.
// The game's frame draws the objects between the two halves, where the
// motion left them.
void StepSettle(World& world, const PlayerCommands& commands);

// StepMotion's pass cut short, in run mode with no commands, for the
// solver's question "what does this object meet at that place in the list":
// every object before `object` collides and steps as in a whole step, and
// `object` has not moved yet.
void StepMotionBefore(World& world, size_t object);
// Then `object` collides with the objects before `upTo` only, as the whole
// pass would have it collide with them: where it is, and how it moves, when
// it comes to the object at `upTo`.
void CollideBefore(World& world, size_t object, size_t upTo);

// The one command's effect, as StepMotion applies it.
void Apply(World& world, const Command& command);

// All hamsters count in an exit in this step: the completion count goes on.
bool AllHamstersHome(const World& world);
