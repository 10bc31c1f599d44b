#include "raster/sprite_rows.h"

#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define ZANDROVE_AVX2 1
#endif
// The compiler's 128-bit vectors, where the processor has such lanes.
#if (defined(__SSE2__) || defined(__wasm_simd128__)) && (defined(__GNUC__) || defined(__clang__))
#define ZANDROVE_LANES 1
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

constexpr uint16_t kMask = kMaskColour;
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

void CopyRowPortable(unsigned char* d, const unsigned char* s, int n) {
    for (int i = 0; i < n; ++i, d += 2, s += 2) {
        const uint16_t source = Load(s);
        if (source != kMask) Store(d, source);
    }
}

// Many pixels at once read sprite pixels before writing the target pixels
// before them: if the two rows share memory, only one at a time is right.
[[maybe_unused]] bool RowsOverlap(const unsigned char* d, const unsigned char* s, int n) {
    const auto dAt = reinterpret_cast<uintptr_t>(d);
    const auto sAt = reinterpret_cast<uintptr_t>(s);
    const uintptr_t bytes = 2 * static_cast<uintptr_t>(n);
    return dAt < sAt + bytes && sAt < dAt + bytes;
}

#if defined(ZANDROVE_LANES)
// Eight pixels at once in the compiler's own vectors: the same formulas as
// the SSE2 loop, written once for any processor with 128-bit lanes. The web
// build compiles them to WebAssembly's SIMD, the native build to SSE2.
typedef uint16_t Lanes __attribute__((vector_size(16)));
typedef int16_t LaneMask __attribute__((vector_size(16)));
typedef uint64_t LaneHalves __attribute__((vector_size(16)));
// A channel's values, at most 63: signed lanes, whose minimum is one
// instruction in SSE2 as in WebAssembly.
typedef int16_t Values __attribute__((vector_size(16)));

Lanes LoadLanes(const unsigned char* p) {
    Lanes v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
void StoreLanes(unsigned char* p, Lanes v) { std::memcpy(p, &v, sizeof v); }
Lanes Select(Lanes where, Lanes yes, Lanes no) { return (yes & where) | (no & ~where); }
bool All(Lanes where) {
    const LaneHalves h = reinterpret_cast<LaneHalves>(where);
    return (h[0] & h[1]) == ~uint64_t{0};
}
bool None(Lanes where) {
    const LaneHalves h = reinterpret_cast<LaneHalves>(where);
    return (h[0] | h[1]) == 0;
}
Values AsValues(Lanes v) { return reinterpret_cast<Values>(v); }
Lanes AsLanes(Values v) { return reinterpret_cast<Lanes>(v); }
Values Cap(Values v, int16_t most) {
    const Values limit = Values{} + most;
    return v < limit ? v : limit;
}

// The formulas above, with 8 d / 8 taken out of the shift (8 d + x >> 3 is
// d + (x >> 3)), so the target's value is only widened for its own top bits.
// Inlined into the row loops: a call for each eight pixels costs more than
// half of what they cost.
[[gnu::always_inline]] inline Lanes BlendLanes(Lanes s, Lanes d, Lanes masked) {
    const Values dHigh = AsValues(d >> 11);
    const Values high = Cap(dHigh + (((dHigh >> 2) + AsValues(s >> 11)) >> 3), 31);
    const Values dMiddle = AsValues((d >> 5) & 63);
    const Values middle = Cap(dMiddle + (((dMiddle >> 4) + AsValues((s >> 6) & 31)) >> 2), 63);
    const Values dLow = AsValues(d & 31);
    const Values low = Cap(dLow + (((dLow >> 2) + AsValues(s & 31)) >> 3), 31);
    return Select(masked, d, AsLanes(high) << 11 | AsLanes(middle) << 5 | AsLanes(low));
}

// The rows must not share memory (EachRowApart checks that once a sprite).
void BlendRowLanes(unsigned char* d, const unsigned char* s, int n) {
    int i = 0;
    // Sixteen pixels a step, the width of a particle's picture: one branch
    // for both halves keeps the processor's guesses right. The particles'
    // pictures are mostly mask colour, often whole rows of it.
    for (; i + 16 <= n; i += 16) {
        const Lanes sLeft = LoadLanes(s + 2 * i), sRight = LoadLanes(s + 2 * i + 16);
        const Lanes left = reinterpret_cast<Lanes>(LaneMask(sLeft == kMask));
        const Lanes right = reinterpret_cast<Lanes>(LaneMask(sRight == kMask));
        if (All(left & right)) continue;
        StoreLanes(d + 2 * i, BlendLanes(sLeft, LoadLanes(d + 2 * i), left));
        StoreLanes(d + 2 * i + 16, BlendLanes(sRight, LoadLanes(d + 2 * i + 16), right));
    }
    for (; i + 8 <= n; i += 8) {
        const Lanes sv = LoadLanes(s + 2 * i);
        const Lanes masked = reinterpret_cast<Lanes>(LaneMask(sv == kMask));
        if (All(masked)) continue;
        StoreLanes(d + 2 * i, BlendLanes(sv, LoadLanes(d + 2 * i), masked));
    }
    BlendRowPortable(d + 2 * i, s + 2 * i, n - i);
}

void CopyRowLanes(unsigned char* d, const unsigned char* s, int n) {
    int i = 0;
    for (; i + 16 <= n; i += 16) {
        const Lanes sLeft = LoadLanes(s + 2 * i), sRight = LoadLanes(s + 2 * i + 16);
        const Lanes left = reinterpret_cast<Lanes>(LaneMask(sLeft == kMask));
        const Lanes right = reinterpret_cast<Lanes>(LaneMask(sRight == kMask));
        if (All(left & right)) continue;
        StoreLanes(d + 2 * i, Select(left, LoadLanes(d + 2 * i), sLeft));
        StoreLanes(d + 2 * i + 16, Select(right, LoadLanes(d + 2 * i + 16), sRight));
    }
    for (; i + 8 <= n; i += 8) {
        const Lanes sv = LoadLanes(s + 2 * i);
        const Lanes masked = reinterpret_cast<Lanes>(LaneMask(sv == kMask));
        if (All(masked)) continue;
        StoreLanes(d + 2 * i, None(masked) ? sv : Select(masked, LoadLanes(d + 2 * i), sv));
    }
    CopyRowPortable(d + 2 * i, s + 2 * i, n - i);
}
#endif

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
    if (RowsOverlap(d, s, n)) {
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

void CopyRowSse2(unsigned char* d, const unsigned char* s, int n) {
    if (RowsOverlap(d, s, n)) {
        CopyRowPortable(d, s, n);
        return;
    }
    const __m128i mask = _mm_set1_epi16(static_cast<short>(kMask));
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 2 * i));
        const __m128i masked = _mm_cmpeq_epi16(sv, mask);
        const int bits = _mm_movemask_epi8(masked);
        if (bits == 0xFFFF) continue;
        __m128i* to = reinterpret_cast<__m128i*>(d + 2 * i);
        if (bits == 0) {
            _mm_storeu_si128(to, sv);
            continue;
        }
        const __m128i dv = _mm_loadu_si128(to);
        _mm_storeu_si128(to, _mm_or_si128(_mm_and_si128(masked, dv), _mm_andnot_si128(masked, sv)));
    }
    CopyRowPortable(d + 2 * i, s + 2 * i, n - i);
}
#endif

#if defined(ZANDROVE_AVX2)
// Sixteen pixels at once: the eight-pixel formulas in wider lanes. Compiled
// for AVX2 only here, and used only where the processor has it.
__attribute__((target("avx2"))) __m256i BlendSixteen(__m256i s, __m256i d, __m256i masked) {
    const __m256i five = _mm256_set1_epi16(31);
    const __m256i six = _mm256_set1_epi16(63);

    const __m256i dHigh = _mm256_srli_epi16(d, 11);
    __m256i high = _mm256_add_epi16(_mm256_add_epi16(_mm256_slli_epi16(dHigh, 3), _mm256_srli_epi16(dHigh, 2)),
                                    _mm256_srli_epi16(s, 11));
    high = _mm256_slli_epi16(_mm256_min_epi16(_mm256_srli_epi16(high, 3), five), 11);

    const __m256i dMiddle = _mm256_and_si256(_mm256_srli_epi16(d, 5), six);
    __m256i middle = _mm256_add_epi16(_mm256_add_epi16(_mm256_slli_epi16(dMiddle, 2), _mm256_srli_epi16(dMiddle, 4)),
                                      _mm256_and_si256(_mm256_srli_epi16(s, 6), five));
    middle = _mm256_slli_epi16(_mm256_min_epi16(_mm256_srli_epi16(middle, 2), six), 5);

    const __m256i dLow = _mm256_and_si256(d, five);
    __m256i low = _mm256_add_epi16(_mm256_add_epi16(_mm256_slli_epi16(dLow, 3), _mm256_srli_epi16(dLow, 2)),
                                   _mm256_and_si256(s, five));
    low = _mm256_min_epi16(_mm256_srli_epi16(low, 3), five);

    const __m256i blended = _mm256_or_si256(_mm256_or_si256(high, middle), low);
    return _mm256_blendv_epi8(blended, d, masked);
}

__attribute__((target("avx2"))) void BlendRowAvx2(unsigned char* d, const unsigned char* s, int n) {
    if (RowsOverlap(d, s, n)) {
        BlendRowPortable(d, s, n);
        return;
    }
    const __m256i mask = _mm256_set1_epi16(static_cast<short>(kMask));
    int i = 0;
    for (; i + 16 <= n; i += 16) {
        const __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + 2 * i));
        const __m256i masked = _mm256_cmpeq_epi16(sv, mask);
        if (_mm256_movemask_epi8(masked) == -1) continue;
        __m256i* to = reinterpret_cast<__m256i*>(d + 2 * i);
        _mm256_storeu_si256(to, BlendSixteen(sv, _mm256_loadu_si256(to), masked));
    }
    if (i < n) BlendRowSse2(d + 2 * i, s + 2 * i, n - i);
}

__attribute__((target("avx2"))) void CopyRowAvx2(unsigned char* d, const unsigned char* s, int n) {
    if (RowsOverlap(d, s, n)) {
        CopyRowPortable(d, s, n);
        return;
    }
    const __m256i mask = _mm256_set1_epi16(static_cast<short>(kMask));
    int i = 0;
    for (; i + 16 <= n; i += 16) {
        const __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + 2 * i));
        const __m256i masked = _mm256_cmpeq_epi16(sv, mask);
        const int bits = _mm256_movemask_epi8(masked);
        if (bits == -1) continue;
        __m256i* to = reinterpret_cast<__m256i*>(d + 2 * i);
        if (bits == 0) {
            _mm256_storeu_si256(to, sv);
            continue;
        }
        _mm256_storeu_si256(to, _mm256_blendv_epi8(sv, _mm256_loadu_si256(to), masked));
    }
    if (i < n) CopyRowSse2(d + 2 * i, s + 2 * i, n - i);
}

bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

// The rows of a sprite already clipped: w x h pixels from (sx, sy) of the
// sprite onto (dx, dy) of the target. One function per loop and kind, so
// that the row loop is compiled with its row function inlined.
struct Rows {
    unsigned char* const* to;
    unsigned char* const* from;
    int dx, dy, sx, sy, w, h;
};
using RowsFunction = void (*)(const Rows& r);

// The rows' description is copied first: the pixels are written as bytes,
// which could alias it, and would make it be read anew for every row.
template <void (*Row)(unsigned char*, const unsigned char*, int)>
void EachRow(const Rows& rows) {
    const Rows r = rows;
    for (int i = 0; i < r.h; ++i) Row(r.to[r.dy + i] + 2 * r.dx, r.from[r.sy + i] + 2 * r.sx, r.w);
}

#if defined(ZANDROVE_LANES)
// The memory of the rows drawn, from the first row's first pixel to the
// last row's end, or the other way round: a picture's rows lie one pitch
// apart in one block (the game's images, Allegro's bitmaps and their
// sub-bitmaps alike).
struct Span {
    uintptr_t from, to;
};
Span SpanOf(unsigned char* const* rows, int y, int h, int x, int w) {
    const auto first = reinterpret_cast<uintptr_t>(rows[y]), last = reinterpret_cast<uintptr_t>(rows[y + h - 1]);
    const uintptr_t low = first < last ? first : last, high = first < last ? last : first;
    return {low + 2 * static_cast<uintptr_t>(x), high + 2 * static_cast<uintptr_t>(x + w)};
}

// The sprite's overlap with its target checked once for all its rows, not
// row by row: a particle's sixteen pixels a row are little work to add it to.
template <void (*Row)(unsigned char*, const unsigned char*, int), void (*OneByOne)(unsigned char*, const unsigned char*, int)>
void EachRowApart(const Rows& rows) {
    const Rows r = rows;
    const Span to = SpanOf(r.to, r.dy, r.h, r.dx, r.w), from = SpanOf(r.from, r.sy, r.h, r.sx, r.w);
    if (to.to <= from.from || from.to <= to.from) {
        for (int i = 0; i < r.h; ++i) Row(r.to[r.dy + i] + 2 * r.dx, r.from[r.sy + i] + 2 * r.sx, r.w);
    } else {
        for (int i = 0; i < r.h; ++i) OneByOne(r.to[r.dy + i] + 2 * r.dx, r.from[r.sy + i] + 2 * r.sx, r.w);
    }
}
#endif

#if defined(ZANDROVE_AVX2)
__attribute__((target("avx2"))) void BlendRowsAvx2(const Rows& r) {
    for (int i = 0; i < r.h; ++i) BlendRowAvx2(r.to[r.dy + i] + 2 * r.dx, r.from[r.sy + i] + 2 * r.sx, r.w);
}
__attribute__((target("avx2"))) void CopyRowsAvx2(const Rows& r) {
    for (int i = 0; i < r.h; ++i) CopyRowAvx2(r.to[r.dy + i] + 2 * r.dx, r.from[r.sy + i] + 2 * r.sx, r.w);
}
#endif

// The clipping: the clip rectangle's right and bottom are one past its
// last column and row, and without clipping nothing is cut at all.
void DrawRows(const Surface& target, const Surface& sprite, int x, int y, RowsFunction rows) {
    int sx = 0, sy = 0, w = sprite.w, h = sprite.h;
    if (target.clip) {
        sx = target.cl - x > 0 ? target.cl - x : 0;
        sy = target.ct - y > 0 ? target.ct - y : 0;
        w = (target.cr - x < sprite.w ? target.cr - x : sprite.w) - sx;
        h = (target.cb - y < sprite.h ? target.cb - y : sprite.h) - sy;
        if (w <= 0 || h <= 0) return;
    }
    rows({target.rows, sprite.rows, x + sx, y + sy, sx, sy, w, h});
}

RowLoop Chosen(RowLoop loop) {
    if (loop != RowLoop::Fastest) return RowLoopAvailable(loop) ? loop : RowLoop::Portable;
    if (RowLoopAvailable(RowLoop::Avx2)) return RowLoop::Avx2;
    if (RowLoopAvailable(RowLoop::Sse2)) return RowLoop::Sse2;
    if (RowLoopAvailable(RowLoop::Lanes)) return RowLoop::Lanes;
    return RowLoop::Portable;
}
RowsFunction BlendRows(RowLoop loop) {
    switch (Chosen(loop)) {
#if defined(ZANDROVE_AVX2)
        case RowLoop::Avx2: return BlendRowsAvx2;
#endif
#if defined(__SSE2__)
        case RowLoop::Sse2: return EachRow<BlendRowSse2>;
#endif
#if defined(ZANDROVE_LANES)
        case RowLoop::Lanes: return EachRowApart<BlendRowLanes, BlendRowPortable>;
#endif
        default: return EachRow<BlendRowPortable>;
    }
}

RowsFunction CopyRows(RowLoop loop) {
    switch (Chosen(loop)) {
#if defined(ZANDROVE_AVX2)
        case RowLoop::Avx2: return CopyRowsAvx2;
#endif
#if defined(__SSE2__)
        case RowLoop::Sse2: return EachRow<CopyRowSse2>;
#endif
#if defined(ZANDROVE_LANES)
        case RowLoop::Lanes: return EachRowApart<CopyRowLanes, CopyRowPortable>;
#endif
        default: return EachRow<CopyRowPortable>;
    }
}

}  // namespace

bool RowLoopAvailable(RowLoop loop) {
    switch (loop) {
        case RowLoop::Fastest:
        case RowLoop::Portable: return true;
        case RowLoop::Sse2:
#if defined(__SSE2__)
            return true;
#else
            return false;
#endif
        case RowLoop::Lanes:
#if defined(ZANDROVE_LANES)
            return true;
#else
            return false;
#endif
        case RowLoop::Avx2:
#if defined(ZANDROVE_AVX2)
            return HasAvx2();
#else
            return false;
#endif
    }
    return false;
}

void DrawMaskedRows(const Surface& target, const Surface& sprite, int x, int y, RowLoop loop) {
    static const RowsFunction fastest = CopyRows(RowLoop::Fastest);
    DrawRows(target, sprite, x, y, loop == RowLoop::Fastest ? fastest : CopyRows(loop));
}

void DrawAdditiveRows(const Surface& target, const Surface& sprite, int x, int y, RowLoop loop) {
    static const RowsFunction fastest = BlendRows(RowLoop::Fastest);
    DrawRows(target, sprite, x, y, loop == RowLoop::Fastest ? fastest : BlendRows(loop));
}
