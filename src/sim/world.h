#pragma once
// Everything the simulation changes, as one value: the level's objects and
// the player's bombs, the frame's flags, the completion count, the particle
// ring, the sounds the last step started and the world's own random numbers.
// A copy is a snapshot; two worlds share nothing, so any number of them can
// be stepped side by side, on any threads.
#include <cstdint>
#include <variant>
#include <vector>

#include "sim/blocks.h"
#include "sim/bomb.h"
#include "sim/level_record.h"
#include "sim/particles.h"
#include "sim/player.h"
#include "sim/random.h"
#include "sim/sounds.h"

// A level holds at most this many hamsters: one ExitMask bit each.
constexpr int kMaxHamsters = 32;
// Frames all hamsters must count in their exits together, after the first.
constexpr int kCompleteFrames = 120;

class World {
public:
    World() = default;
    World(const World& other);
    World& operator=(const World& other);
    // A moved world keeps its objects where they were: the lists stay valid.
    World(World&&) noexcept = default;
    World& operator=(World&&) noexcept = default;
    ~World() = default;

    // The level's objects in record order: the order they step in, and drawn
    // from last to first. They live in the world itself.
    std::vector<cObject*> ObjectList;
    std::vector<cBomb*> BombList;  // the inventory bombs, record order
    std::vector<bool> BombPlaced;  // per BombList entry: taken out of the inventory
    cBomb* SelectedBomb = nullptr;  // the bomb selected in the HUD, or null

    bool EditMode = true;     // the simulation is frozen while the player places bombs
    bool FuseBurning = false;  // some fuse burns on the play-field this step
    int HamsterCount = 0;      // hamsters built in this level; the next hamster's Id
    uint32_t ExitMask = 0;     // bit Id set by each hamster counted in an exit this step
    int CompleteTimer = 0;     // 0: not counting; then kCompleteFrames down to 1
    bool LevelComplete = false;

    ParticleRing ParticlePool;
    SoundQueue Sounds;  // started by the last step
    Random Rand;

    // Level end: every object gone, nothing selected.
    void Clear();
    // Every object back where the level or the player put it.
    void ResetObjects();
    // The bomb's place in BombList, or -1.
    int SlotOf(const cBomb* bomb) const;
    // Everything the steps go on from, in run mode: every field of every
    // object that a step reads before it writes it, and the completion count.
    // Two worlds of one level with equal keys play on alike, frame for frame,
    // whatever they differ in besides: particles, sounds, random numbers (the
    // steps draw them for sounds only), a hamster's look (aware, blasted,
    // puffs, spin), a bomb's fuse and home (read by a return to edit mode).
    std::vector<int32_t> PlayKey() const;

private:
    friend void BuildLevel(World& world, const LevelRecord* records);
    using ObjectValue = std::variant<cBlock, cBrick, cExit, cBomb, cFixedBomb, cPlayer>;
    // Points the lists at this world's own objects.
    void Link(const World& from);

    std::vector<ObjectValue> objects_;  // ObjectList order
    std::vector<int> bombIndex_;        // per BombList entry, its place in objects_
};

// Builds the objects of records (ended by REC_END) in place of the world's:
// the lists, the selection and HamsterCount start again; the flags, the
// particles and the random numbers go on.
void BuildLevel(World& world, const LevelRecord* records);

// Every hamster's bit: the ExitMask of a level whose hamsters all count.
uint32_t AllHamstersMask(const World& world);
