#include "support/play_field.h"

#include <algorithm>

#include "sim/blocks.h"
#include "sim/bomb.h"
#include "sim/player.h"
#include "sim/step.h"

namespace {
std::string At(const char* what, const cObject& o, int dx, int dy) {
    return std::string(what) + " " + std::to_string(o.x.Whole() + dx) + " " + std::to_string(o.y.Whole() + dy);
}
}  // namespace

void SimulateFrame(World& world, std::vector<SoundId>* sounds) {
    world.EditMode = false;
    StepMotion(world, PlayerCommands{});
    if (sounds)
        for (const SoundEvent& e : world.Sounds) sounds->push_back(e.id);
}

void SimulateFrames(World& world, int frames, std::vector<SoundId>* sounds) {
    for (int f = 0; f < frames; ++f) SimulateFrame(world, sounds);
}

int TimesPlayed(const std::vector<SoundId>& sounds, SoundId id) {
    return static_cast<int>(std::count(sounds.begin(), sounds.end(), id));
}

int ScreamsPlayed(const std::vector<SoundId>& sounds) {
    int n = 0;
    for (int i = 0; i < kScreamCount; ++i) n += TimesPlayed(sounds, Scream(i));
    return n;
}

void DrawLog::DrawBlock(const cBlock& o, int dx, int dy) { drawn.push_back(At("block", o, dx, dy)); }
void DrawLog::DrawBrick(const cBrick& o, int dx, int dy) { drawn.push_back(At("brick", o, dx, dy)); }
void DrawLog::DrawExit(const cExit& o, int dx, int dy) { drawn.push_back(At("exit", o, dx, dy)); }
void DrawLog::DrawBomb(const cBomb& o, int dx, int dy) { drawn.push_back(At("bomb", o, dx, dy)); }
void DrawLog::DrawFixedBomb(const cFixedBomb& o, int dx, int dy) { drawn.push_back(At("fixed-bomb", o, dx, dy)); }
void DrawLog::DrawHamster(const cPlayer& o, int dx, int dy) {
    drawn.push_back(At(o.Blasted ? (o.Landed ? "hamster crater" : "hamster spinning") : "hamster upright", o, dx, dy));
}
