#include "soak_checks.h"

#include <malloc.h>

#include "sim/world.h"
#include "sim/object.h"
#include "sim/particles.h"
#include "sim/asset_handles.h"
#include "sim/frame_globals.h"

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

// Pictures a strip holds from where the particle's strip pointer starts.
int StripFrames(BITMAP* const* strip) {
    for (BITMAP* const* whole : {FlareFrames, DustFrames, BrickFrames}) {
        if (strip >= whole && strip < whole + kStripFrames) return static_cast<int>(whole + kStripFrames - strip);
    }
    return 0;
}

// The picture a particle shows on its last drawing: one step per delay frames.
long LastPicture(const Particle& p) {
    if (p.life < p.countdown) return p.picture;
    return p.picture + 1 + (p.life - p.countdown) / p.delay;
}

}  // namespace

std::string CheckParticles() {
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

std::string CheckWorld() {
    if (BombList.size() != BombPlaced.size()) return "BombList and BombPlaced differ in length";
    for (const cObject* o : ObjectList)
        if (!o) return "a null object in the list during a level";
    if (HamsterCount < 0 || HamsterCount > kMaxHamsters) return "HamsterCount " + std::to_string(HamsterCount);
    return {};
}

size_t HeapInUse() {
#ifdef SOAK_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}
