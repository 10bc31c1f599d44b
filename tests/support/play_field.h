#pragma once
// A play-field under test: headless Allegro with the real assets, an empty
// particle pool, cleared frame globals and a log of the samples played.
#include <gtest/gtest.h>

#include <vector>

#include "objects/object.h"

struct SAMPLE;

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

class PlayFieldTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;
};
