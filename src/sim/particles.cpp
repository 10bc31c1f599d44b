#include "sim/particles.h"

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

int LiveParticleCount() {
    int n = 0;
    for (const Particle& p : ParticlePool.slots) n += p.life != 0;
    return n;
}
