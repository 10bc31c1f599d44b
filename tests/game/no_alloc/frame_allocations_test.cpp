// Nothing may be allocated once a level is built: a thousand frames of play,
// with bombs going off, bricks breaking and both modes, and a saved world put
// back, count every heap allocation. malloc and operator new are replaced
// for this program alone.
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "game/scripted_play.h"

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* p, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* p);
}

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
void Count() {
    if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1, std::memory_order_relaxed);
}
}  // namespace

extern "C" {
void* malloc(size_t size) {
    Count();
    return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
    Count();
    return __libc_calloc(count, size);
}
void* realloc(void* p, size_t size) {
    Count();
    return __libc_realloc(p, size);
}
void* memalign(size_t alignment, size_t size) {
    Count();
    return __libc_memalign(alignment, size);
}
void* aligned_alloc(size_t alignment, size_t size) {
    Count();
    return __libc_memalign(alignment, size);
}
int posix_memalign(void** out, size_t alignment, size_t size) {
    Count();
    void* p = __libc_memalign(alignment, size);
    if (!p) return ENOMEM;
    *out = p;
    return 0;
}
void free(void* p) { __libc_free(p); }
}

void* operator new(size_t size) {
    if (void* p = malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](size_t size) { return operator new(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return malloc(size ? size : 1); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return malloc(size ? size : 1); }
void* operator new(size_t size, std::align_val_t a) {
    if (void* p = aligned_alloc(static_cast<size_t>(a), (size + static_cast<size_t>(a) - 1) & ~(static_cast<size_t>(a) - 1)))
        return p;
    throw std::bad_alloc();
}
void* operator new[](size_t size, std::align_val_t a) { return operator new(size, a); }
void operator delete(void* p) noexcept { free(p); }
void operator delete[](void* p) noexcept { free(p); }
void operator delete(void* p, size_t) noexcept { free(p); }
void operator delete[](void* p, size_t) noexcept { free(p); }
void operator delete(void* p, std::align_val_t) noexcept { free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { free(p); }
void operator delete(void* p, size_t, std::align_val_t) noexcept { free(p); }
void operator delete[](void* p, size_t, std::align_val_t) noexcept { free(p); }

namespace {

// A hamster on bricks between two fixed bombs, and two bombs to place.
const LevelRecord kBusyLevel[] = {
    Rec(REC_BOMB, -2048, -2048, 0, 0, 4), Rec(REC_BOMB, -2048, -2048, 0, 0, 4),
    Rec(REC_FIXED_BOMB, 150, 90, 0, 0, 3), Rec(REC_FIXED_BOMB, 40, 100, 0, 0, 6),
    Rec(REC_HAMSTER, 100, 104), Rec(REC_BRICK, 90, 130), Rec(REC_BRICK, 110, 130),
    Rec(REC_BLOCK, 70, 130), Rec(REC_BLOCK, 130, 130), Rec(REC_BRICK, 170, 70), Rec(REC_BRICK, 190, 70),
    Rec(REC_EXIT, 300, 300, 40, 40), Rec(REC_END),
};

class FrameAllocations : public FrameTest {
protected:
    // The player's input for frame f of the script: place both bombs, set a
    // fuse by dragging, run, return, nudge, use the slider, run again.
    void Script(int f) {
        const int hudY = EditHudTop() + 24;
        io.buttons = 0;
        io.keys.reset();
        switch (f) {
            case 0: io.MoveTo(120, hudY); io.buttons = kLeftButton; break;
            case 2: io.MoveTo(320, 240); io.buttons = kLeftButton; break;
            case 3: io.MoveTo(80, 115); io.buttons = kLeftButton; break;
            case 5: io.MoveTo(160, hudY); io.buttons = kLeftButton; break;
            case 7: io.MoveTo(320, 240); io.buttons = kRightButton; break;
            case 8: io.MoveTo(380, 250); io.buttons = kRightButton; break;
            case 9: io.MoveTo(360, 240); io.buttons = kRightButton; break;
            case 11: io.Hold(kKeySpace); break;
            case 400: io.Hold(kKeyEsc); break;
            case 402: io.Hold(KeyDigit(1)); break;
            case 403: io.Hold(kKeyUp); break;
            case 405: io.MoveTo(420, hudY - 4); io.buttons = kLeftButton; break;
            case 406: io.MoveTo(400, hudY - 4); io.buttons = kLeftButton; break;
            case 408: io.MoveTo(480, hudY); io.buttons = kLeftButton; break;
            case 410: io.Hold(kKeySpace); break;
            case 700: io.MoveTo(50, 50); io.buttons = kRightButton; break;
            case 702: io.MoveTo(50, 50); io.buttons = kRightButton; break;
            case 704: io.Hold(kKeySpace); break;
            default: break;
        }
    }
};

TEST_F(FrameAllocations, NoneInAThousandFramesOfPlay) {
    Start(kBusyLevel);
    const World start = world;
    io.played.reserve(4096);  // the test's own log of sounds must not count
    io.stopped.reserve(4096);
    allocations = 0;
    counting = true;
    int placed = 0, runFrames = 0;
    for (int f = 0; f < 1000; ++f) {
        Script(f);
        Frames();
        runFrames += !world.EditMode;
        if (f == 12) placed = world.BombPlaced[0] + world.BombPlaced[1];
    }
    counting = false;
    EXPECT_EQ(allocations.load(), 0);
    EXPECT_EQ(placed, 2);
    EXPECT_GT(runFrames, 500);
    EXPECT_GT(TimesPlayed(SoundId::Explode), 2);  // the bombs did go off
    EXPECT_GT(LiveParticleCount(world.ParticlePool) + TimesPlayed(SoundId::Hiss), 0);

    // A copy put back onto a world of its level, as the solver takes its runs
    // back, allocates nothing either.
    counting = true;
    world = start;
    counting = false;
    EXPECT_EQ(allocations.load(), 0);
    EXPECT_TRUE(world.EditMode);

    // The counter itself works.
    counting = true;
    void* volatile p = std::malloc(16);
    counting = false;
    std::free(p);
    EXPECT_EQ(allocations.load(), 1);
}

}  // namespace
