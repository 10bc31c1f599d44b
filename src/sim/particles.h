#pragma once
// Short-lived animated 16 x 16 pictures in one fixed ring of slots. The
// objects spawn them; the frame steps and draws them once a frame. They
// never touch the play: nothing reads their positions.
#include <cstdint>

#include "sim/fixed.h"

// The picture strips particles are drawn from, four pictures each.
enum class Strip : uint8_t { Flare, Dust, Bricks };
constexpr int kStripFrames = 4;

struct Particle {
    Fixed x, y;    // centre of the picture
    Fixed vx, vy;  // added to the position every frame
    Fixed ax, ay;  // added to the velocity every frame
    int32_t life = 0;  // frames left; 0 marks a free slot
    int32_t delay = 0;      // frames per picture
    int32_t picture = 0;    // index into strip
    int32_t countdown = 0;  // frames until the next picture
    Strip strip = Strip::Flare;
    bool additive = false;  // drawn translucently
};

constexpr int kParticleSlots = 800;

struct ParticleRing {
    Particle slots[kParticleSlots];
    int nextSlot = 0;
};

void SpawnParticle(ParticleRing& ring, const Particle& p);

// One frame of a live particle: older, maybe the next picture, moved with
// the velocity it had before this frame's acceleration. It is still drawn in
// the frame in which its life reaches 0.
inline void StepParticle(Particle& p) {
    p.life -= 1;
    p.countdown -= 1;
    if (p.countdown == 0) {
        p.countdown = p.delay;
        p.picture += 1;
    }
    p.x += p.vx;
    p.y += p.vy;
    p.vx += p.ax;
    p.vy += p.ay;
}

int LiveParticleCount(const ParticleRing& ring);
