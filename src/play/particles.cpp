#include "play/particles.h"

#include <allegro.h>

ParticleRing ParticlePool;

namespace {
int NextIndex(int i) { return i + 1 == kParticleSlots ? 0 : i + 1; }
}  // namespace

void SpawnParticle(Particle p) {
    ParticlePool.slots[ParticlePool.nextSlot] = p;
    ParticlePool.nextSlot = NextIndex(ParticlePool.nextSlot);
    // Skip at most one live slot: a full ring then overwrites every second
    // particle instead of searching or refusing.
    if (ParticlePool.slots[ParticlePool.nextSlot].life != 0)
        ParticlePool.nextSlot = NextIndex(ParticlePool.nextSlot);
}

void UpdateAndDrawParticles(BITMAP* target) {
    for (Particle& p : ParticlePool.slots) {
        if (p.life == 0) continue;
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
        BITMAP* picture = p.strip[p.picture];
        const int left = p.x.Whole() - 8;
        const int top = p.y.Whole() - 8;
        if (p.additive)
            draw_trans_sprite(target, picture, left, top);
        else
            draw_sprite(target, picture, left, top);
    }
}
