#pragma once
// A play-field under test, with the simulation alone: no platform, no asset
// files. Each test has a world of its own, as a new program has; objects a
// test makes itself can be put in its ObjectList. Every sound the steps
// start is logged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/object.h"
#include "sim/sounds.h"
#include "sim/world.h"

// One run-mode step of the objects in world.ObjectList: the step's flags
// cleared, then every object collides with the whole list and steps, in list
// order. The sounds it started are added to sounds when given.
void SimulateFrame(World& world, std::vector<SoundId>* sounds = nullptr);
void SimulateFrames(World& world, int frames, std::vector<SoundId>* sounds = nullptr);

int TimesPlayed(const std::vector<SoundId>& sounds, SoundId id);
int ScreamsPlayed(const std::vector<SoundId>& sounds);

// A painter that only writes down what it is asked to draw:
// "block 100 60", "bomb 200 150", "hamster upright 200 204", ...
class DrawLog final : public ObjectPainter {
public:
    std::vector<std::string> drawn;
    void DrawBlock(const cBlock& o, int dx, int dy) override;
    void DrawBrick(const cBrick& o, int dx, int dy) override;
    void DrawExit(const cExit& o, int dx, int dy) override;
    void DrawBomb(const cBomb& o, int dx, int dy) override;
    void DrawFixedBomb(const cFixedBomb& o, int dx, int dy) override;
    void DrawHamster(const cPlayer& o, int dx, int dy) override;
};

class PlayFieldTest : public ::testing::Test {
protected:
    World world;
    std::vector<SoundId> played;  // every sound Simulate started, in order

    void Simulate(int frames = 1) { SimulateFrames(world, frames, &played); }
    // For objects stepped or touched one at a time: the sounds noted in the
    // world since the last call are moved to played.
    void TakeSounds() {
        for (const SoundEvent& e : world.Sounds) played.push_back(e.id);
        world.Sounds.Clear();
    }
    int TimesPlayed(SoundId id) const { return ::TimesPlayed(played, id); }
    int Screams() const { return ScreamsPlayed(played); }
    int LiveParticles() const { return LiveParticleCount(world.ParticlePool); }
};
