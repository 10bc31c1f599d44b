#include "sim/particles.h"

namespace {
int NextIndex(int i) { return i + 1 == kParticleSlots ? 0 : i + 1; }
}  // namespace

void SpawnParticle(ParticleRing& ring, const Particle& p) {
    ring.slots[ring.nextSlot] = p;
    ring.nextSlot = NextIndex(ring.nextSlot);
    // Skip at most one live slot: a full ring then overwrites every second
    // particle instead of searching or refusing.
    if (ring.slots[ring.nextSlot].life != 0) ring.nextSlot = NextIndex(ring.nextSlot);
}

int LiveParticleCount(const ParticleRing& ring) {
    int n = 0;
    for (const Particle& p : ring.slots) n += p.life != 0;
    return n;
}
