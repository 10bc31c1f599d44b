#include "support/play_field.h"

#include <algorithm>

#include "sim/sim_state.h"
#include "sim/asset_handles.h"
#include "sim/blocks.h"
#include "sim/bomb.h"
#include "sim/frame_globals.h"
#include "sim/particles.h"
#include "sim/player.h"

std::vector<SAMPLE*> PlayedSamples;

namespace {
void Record(SAMPLE* s) { PlayedSamples.push_back(s); }

std::string At(const char* what, const cObject& o, int dx, int dy) {
    return std::string(what) + " " + std::to_string(o.x.Whole() + dx) + " " + std::to_string(o.y.Whole() + dy);
}

template <class Handle>
void StandIn(Handle*& handle, char& place) {
    if (!handle) handle = reinterpret_cast<Handle*>(&place);
}
}  // namespace

int TimesPlayed(SAMPLE* sample) {
    return static_cast<int>(std::count(PlayedSamples.begin(), PlayedSamples.end(), sample));
}

int TimesPlayedAny(SAMPLE* const* samples, int count) {
    int n = 0;
    for (int i = 0; i < count; ++i) n += TimesPlayed(samples[i]);
    return n;
}

int LiveParticles() { return LiveParticleCount(); }

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

void InstallStandInAssets() {
    static char places[64];
    int next = 0;
    for (BITMAP** b : {&BlockBitmap, &BrickBitmap, &RedBombBitmap, &BlueBombBitmap, &HamsterIdleBitmap,
                       &HamsterAwareBitmap, &HamsterSpinBitmap, &HamsterCraterBitmap})
        StandIn(*b, places[next++]);
    for (BITMAP** strip : {FlareFrames, DustFrames, BrickFrames})
        for (int i = 0; i < kStripFrames; ++i) StandIn(strip[i], places[next++]);
    for (SAMPLE** s : {&ExplodeSample, &Huh01Sample, &Huh02Sample, &HissSample}) StandIn(*s, places[next++]);
    for (SAMPLE*& s : ScreamSamples) StandIn(s, places[next++]);
}

void DrawLog::DrawBlock(BITMAP*, const cBlock& o, int dx, int dy) { drawn.push_back(At("block", o, dx, dy)); }
void DrawLog::DrawBrick(BITMAP*, const cBrick& o, int dx, int dy) { drawn.push_back(At("brick", o, dx, dy)); }
void DrawLog::DrawExit(BITMAP*, const cExit& o, int dx, int dy) { drawn.push_back(At("exit", o, dx, dy)); }
void DrawLog::DrawBomb(BITMAP*, const cBomb& o, int dx, int dy) { drawn.push_back(At("bomb", o, dx, dy)); }
void DrawLog::DrawFixedBomb(BITMAP*, const cFixedBomb& o, int dx, int dy) {
    drawn.push_back(At("fixed-bomb", o, dx, dy));
}
void DrawLog::DrawHamster(BITMAP*, const cPlayer& o, int dx, int dy) {
    drawn.push_back(At(o.Blasted ? (o.Landed ? "hamster crater" : "hamster spinning") : "hamster upright", o, dx, dy));
}

void PlayFieldTest::SetUp() {
    ResetSimulation();
    InstallStandInAssets();
    PlayedSamples.clear();
    OnSamplePlayed = Record;
}

void PlayFieldTest::TearDown() {
    OnSamplePlayed = nullptr;
    ActivePresentation = nullptr;
    ResetSimulation();  // frees whatever the test built
}
