#include "support/play_field.h"

#include <algorithm>

#include "levels/world.h"
#include "play/particles.h"
#include "play/sound.h"
#include "shell/globals.h"
#include "support/headless.h"

std::vector<SAMPLE*> PlayedSamples;

namespace {
void Record(SAMPLE* s) { PlayedSamples.push_back(s); }
}  // namespace

int TimesPlayed(SAMPLE* sample) {
    return static_cast<int>(std::count(PlayedSamples.begin(), PlayedSamples.end(), sample));
}

int TimesPlayedAny(SAMPLE* const* samples, int count) {
    int n = 0;
    for (int i = 0; i < count; ++i) n += TimesPlayed(samples[i]);
    return n;
}

int LiveParticles() {
    int n = 0;
    for (const Particle& p : ParticlePool.slots) n += p.life != 0;
    return n;
}

void SimulateFrame(std::vector<cObject*>& objects) {
    ExitMask = 0;
    FuseBurning = false;
    for (size_t i = 0; i < objects.size(); ++i) {
        objects[i]->Collide(objects);
        objects[i]->Step();
    }
}

void SimulateFrames(std::vector<cObject*>& objects, int frames) {
    for (int f = 0; f < frames; ++f) SimulateFrame(objects);
}

void PlayFieldTest::SetUpTestSuite() { StartHeadless(); }

void PlayFieldTest::SetUp() {
    ParticlePool = ParticleRing{};
    EditMode = true;
    FuseBurning = false;
    HamsterCount = 0;
    ExitMask = 0;
    SelectedBomb = nullptr;
    PlayedSamples.clear();
    OnSamplePlayed = Record;
}

void PlayFieldTest::TearDown() {
    OnSamplePlayed = nullptr;
    static const LevelRecord kNothing[1] = {};
    BuildLevel(kNothing);  // frees whatever the test built
}
