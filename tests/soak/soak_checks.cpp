#include "soak_checks.h"

#include <malloc.h>

#include "sim/particles.h"
#include "sim/world.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SOAK_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define SOAK_ASAN 1
#endif
#ifdef SOAK_ASAN
// The sanitizers' allocator statistics (declared here: gcc ships no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// Pictures the particle's strip holds.
int StripFrames(Strip strip) {
    switch (strip) {
        case Strip::Flare:
        case Strip::Dust:
        case Strip::Bricks:
            return kStripFrames;
    }
    return 0;
}

// The picture a particle shows on its last drawing: one step per delay frames.
long LastPicture(const Particle& p) {
    if (p.life < p.countdown) return p.picture;
    return p.picture + 1 + (p.life - p.countdown) / p.delay;
}

}  // namespace

std::string CheckParticles(const World& world) {
    const ParticleRing& ParticlePool = world.ParticlePool;
    const int next = ParticlePool.nextSlot;
    if (next < 0 || next >= kParticleSlots) return "nextSlot " + std::to_string(next) + " outside the ring";
    for (int i = 0; i < kParticleSlots; ++i) {
        const Particle& p = ParticlePool.slots[i];
        if (p.life == 0) continue;
        const std::string at = "particle " + std::to_string(i) + ": ";
        if (p.life < 0) return at + "negative life " + std::to_string(p.life);
        const int frames = StripFrames(p.strip);
        if (frames == 0) return at + "strip is none of the picture strips";
        if (p.delay <= 0 || p.countdown <= 0) return at + "delay or countdown not positive";
        if (p.picture < 0 || p.picture >= frames) return at + "picture " + std::to_string(p.picture) + " of " +
                                                          std::to_string(frames);
        if (LastPicture(p) >= frames)
            return at + "will reach picture " + std::to_string(LastPicture(p)) + " of " + std::to_string(frames);
    }
    return {};
}

std::string CheckWorld(const World& world) {
    if (world.BombList.size() != world.BombPlaced.size()) return "BombList and BombPlaced differ in length";
    for (const cObject* o : world.ObjectList)
        if (!o) return "a null object in the list during a level";
    if (world.HamsterCount < 0 || world.HamsterCount > kMaxHamsters)
        return "HamsterCount " + std::to_string(world.HamsterCount);
    return {};
}

size_t HeapInUse() {
#ifdef SOAK_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}
