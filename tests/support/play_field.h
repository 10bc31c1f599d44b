#pragma once
// A play-field under test, with the simulation alone: no Allegro, no asset
// files. The shared picture and sample handles point at stand-ins (distinct
// addresses nothing reads) unless real assets were loaded; the frame
// globals, the world and the particle ring start as in a new program; every
// sample started and every object drawn is logged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/object.h"
#include "sim/presentation.h"

// Every sample started since the current test began, in order.
extern std::vector<SAMPLE*> PlayedSamples;
int TimesPlayed(SAMPLE* sample);
int TimesPlayedAny(SAMPLE* const* samples, int count);

int LiveParticles();

// The simulation step of one run-mode frame: ExitMask and FuseBurning
// cleared, then every object collides with the whole list and steps, in
// list order.
void SimulateFrame(std::vector<cObject*>& objects);
void SimulateFrames(std::vector<cObject*>& objects, int frames);

// Points every null picture and sample handle at a stand-in of its own.
void InstallStandInAssets();

// A presentation that only writes down what it is asked to draw:
// "block 100 60", "bomb 200 150", "hamster upright 200 204", ...
class DrawLog final : public Presentation {
public:
    std::vector<std::string> drawn;
    void DrawBlock(BITMAP*, const cBlock& o, int dx, int dy) override;
    void DrawBrick(BITMAP*, const cBrick& o, int dx, int dy) override;
    void DrawExit(BITMAP*, const cExit& o, int dx, int dy) override;
    void DrawBomb(BITMAP*, const cBomb& o, int dx, int dy) override;
    void DrawFixedBomb(BITMAP*, const cFixedBomb& o, int dx, int dy) override;
    void DrawHamster(BITMAP*, const cPlayer& o, int dx, int dy) override;
    void PlaySample(SAMPLE*, int, bool) override {}
    void StopSample(SAMPLE*) override {}
};

class PlayFieldTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};
