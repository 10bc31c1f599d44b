#include "play/additive_sprite.h"

#include <allegro.h>

#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// What Allegro's additive blender at strength 32 does to one 16-bit pixel,
// channel by channel (found by comparing with draw_trans_sprite over every
// pair of 16-bit pixels): both channels are widened to 8 bits by repeating
// their top bits (v << 3 | v >> 2 for 5 bits, v << 2 | v >> 4 for 6), the
// target's is added to the sprite's times 32 / 256, the sum is capped at 255
// and cut back to 5 or 6 bits. A widened 5-bit value times 32 / 256 is the
// 5-bit value itself, and a widened 6-bit one's is its half, so:
//   5 bits: min(31, (8 d + (d >> 2) + s) >> 3)
//   6 bits: min(63, (4 d + (d >> 4) + (s >> 1)) >> 2)
// Sprite pixels of the mask colour are skipped, whatever their channels.

namespace {

constexpr uint16_t kMask = MASK_COLOR_16;

constexpr int Five(int d, int s) {
    const int v = (8 * d + (d >> 2) + s) >> 3;
    return v < 31 ? v : 31;
}
constexpr int Six(int d, int s) {
    const int v = (4 * d + (d >> 4) + (s >> 1)) >> 2;
    return v < 63 ? v : 63;
}

// Indexed by target value * 32 + sprite value; the green table by the
// sprite's half value, all that counts of it.
constexpr std::array<uint8_t, 32 * 32> kFiveTable = [] {
    std::array<uint8_t, 32 * 32> t{};
    for (int d = 0; d < 32; ++d)
        for (int s = 0; s < 32; ++s) t[d * 32 + s] = static_cast<uint8_t>(Five(d, s));
    return t;
}();
constexpr std::array<uint8_t, 64 * 32> kSixTable = [] {
    std::array<uint8_t, 64 * 32> t{};
    for (int d = 0; d < 64; ++d)
        for (int half = 0; half < 32; ++half) t[d * 32 + half] = static_cast<uint8_t>(Six(d, half * 2));
    return t;
}();

uint16_t Load(const unsigned char* p) {
    uint16_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
void Store(unsigned char* p, uint16_t v) { std::memcpy(p, &v, sizeof v); }

uint16_t BlendPixel(uint16_t s, uint16_t d) {
    const unsigned high = kFiveTable[(d >> 11) * 32 + (s >> 11)];
    const unsigned middle = kSixTable[((d >> 5) & 63) * 32 + ((s >> 6) & 31)];
    const unsigned low = kFiveTable[(d & 31) * 32 + (s & 31)];
    return static_cast<uint16_t>(high << 11 | middle << 5 | low);
}

// n pixels from s onto d, one at a time in Allegro's order.
void BlendRowPortable(unsigned char* d, const unsigned char* s, int n) {
    for (int i = 0; i < n; ++i, d += 2, s += 2) {
        const uint16_t source = Load(s);
        if (source != kMask) Store(d, BlendPixel(source, Load(d)));
    }
}

#if defined(__SSE2__)
// Eight pixels at once, the formulas above in 16-bit lanes; masked marks
// the sprite's mask-colour pixels.
__m128i BlendEight(__m128i s, __m128i d, __m128i masked) {
    const __m128i five = _mm_set1_epi16(31);
    const __m128i six = _mm_set1_epi16(63);

    const __m128i dHigh = _mm_srli_epi16(d, 11);
    __m128i high = _mm_add_epi16(_mm_add_epi16(_mm_slli_epi16(dHigh, 3), _mm_srli_epi16(dHigh, 2)),
                                 _mm_srli_epi16(s, 11));
    high = _mm_slli_epi16(_mm_min_epi16(_mm_srli_epi16(high, 3), five), 11);

    const __m128i dMiddle = _mm_and_si128(_mm_srli_epi16(d, 5), six);
    __m128i middle = _mm_add_epi16(_mm_add_epi16(_mm_slli_epi16(dMiddle, 2), _mm_srli_epi16(dMiddle, 4)),
                                   _mm_and_si128(_mm_srli_epi16(s, 6), five));
    middle = _mm_slli_epi16(_mm_min_epi16(_mm_srli_epi16(middle, 2), six), 5);

    const __m128i dLow = _mm_and_si128(d, five);
    __m128i low = _mm_add_epi16(_mm_add_epi16(_mm_slli_epi16(dLow, 3), _mm_srli_epi16(dLow, 2)),
                                _mm_and_si128(s, five));
    low = _mm_min_epi16(_mm_srli_epi16(low, 3), five);

    const __m128i blended = _mm_or_si128(_mm_or_si128(high, middle), low);
    return _mm_or_si128(_mm_and_si128(masked, d), _mm_andnot_si128(masked, blended));
}

void BlendRowSse2(unsigned char* d, const unsigned char* s, int n) {
    // Eight at a time reads sprite pixels before writing the target pixels
    // before them: if the two rows share memory, only one at a time is right.
    const auto dAt = reinterpret_cast<uintptr_t>(d);
    const auto sAt = reinterpret_cast<uintptr_t>(s);
    const uintptr_t bytes = 2 * static_cast<uintptr_t>(n);
    if (dAt < sAt + bytes && sAt < dAt + bytes) {
        BlendRowPortable(d, s, n);
        return;
    }
    const __m128i mask = _mm_set1_epi16(static_cast<short>(kMask));
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 2 * i));
        const __m128i masked = _mm_cmpeq_epi16(sv, mask);
        // The particles' pictures are mostly mask colour, often eight in a row.
        if (_mm_movemask_epi8(masked) == 0xFFFF) continue;
        const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + 2 * i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 2 * i), BlendEight(sv, dv, masked));
    }
    BlendRowPortable(d + 2 * i, s + 2 * i, n - i);
}
#endif

// Two 16-bit memory bitmaps whose pixels are 5-6-5 with green in the middle
// (the red and blue formulas are the same, so their order does not matter).
bool DrawnHere(BITMAP* target, BITMAP* sprite) {
    return bitmap_color_depth(target) == 16 && bitmap_color_depth(sprite) == 16 && is_memory_bitmap(target) &&
           is_memory_bitmap(sprite) && _rgb_g_shift_16 == 5 &&
           ((_rgb_r_shift_16 == 11 && _rgb_b_shift_16 == 0) || (_rgb_r_shift_16 == 0 && _rgb_b_shift_16 == 11));
}

}  // namespace

bool AdditiveSpriteHasVectorLoop() {
#if defined(__SSE2__)
    return true;
#else
    return false;
#endif
}

void DrawAdditiveSprite(BITMAP* target, BITMAP* sprite, int x, int y) {
    DrawAdditiveSprite(target, sprite, x, y, AdditiveLoop::Fastest);
}

void DrawAdditiveSprite(BITMAP* target, BITMAP* sprite, int x, int y, AdditiveLoop loop) {
    if (!DrawnHere(target, sprite)) {
        // Allegro blends with whichever blender was set last.
        set_add_blender(0, 0, 0, 32);
        draw_trans_sprite(target, sprite, x, y);
        return;
    }

    // Allegro's clipping: the clip rectangle's right and bottom are one past
    // its last column and row, and without clipping nothing is cut at all.
    int sx = 0, sy = 0, w = sprite->w, h = sprite->h;
    if (target->clip) {
        sx = target->cl - x > 0 ? target->cl - x : 0;
        sy = target->ct - y > 0 ? target->ct - y : 0;
        w = (target->cr - x < sprite->w ? target->cr - x : sprite->w) - sx;
        h = (target->cb - y < sprite->h ? target->cb - y : sprite->h) - sy;
        if (w <= 0 || h <= 0) return;
    }
    const int dx = x + sx, dy = y + sy;

#if defined(__SSE2__)
    if (loop == AdditiveLoop::Fastest) {
        for (int row = 0; row < h; ++row)
            BlendRowSse2(target->line[dy + row] + 2 * dx, sprite->line[sy + row] + 2 * sx, w);
        return;
    }
#else
    (void)loop;
#endif
    for (int row = 0; row < h; ++row)
        BlendRowPortable(target->line[dy + row] + 2 * dx, sprite->line[sy + row] + 2 * sx, w);
}
