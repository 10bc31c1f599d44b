#pragma once
// Play-field numbers: 24.8 fixed point in a signed 32-bit word.
// Every operation wraps like a 32-bit register instead of overflowing, so a
// hostile level can make values absurd but never undefined.
#include <compare>
#include <cstdint>
#include <limits>

constexpr int32_t WrapAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
constexpr int32_t WrapSub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
constexpr int32_t WrapMul(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}
constexpr int32_t WrapNeg(int32_t a) { return WrapSub(0, a); }

// Division truncating toward zero. The one quotient that overflows
// (INT32_MIN / -1) wraps back to INT32_MIN; a zero divisor yields 0.
constexpr int32_t TruncDiv(int32_t a, int32_t b) {
    if (b == 0) return 0;
    if (b == -1) return WrapNeg(a);
    return a / b;
}

struct Fixed {
    int32_t raw = 0;

    static constexpr Fixed Raw(int32_t r) {
        Fixed f;
        f.raw = r;
        return f;
    }
    static constexpr Fixed FromInt(int32_t n) { return Raw(WrapMul(n, 256)); }

    // Whole pixels, rounding toward minus infinity (arithmetic shift).
    constexpr int32_t Whole() const { return raw >> 8; }
    // The whole-pixel value as a Fixed: the fraction bits cleared.
    constexpr Fixed Floor() const { return Raw(raw & ~0xFF); }

    friend constexpr Fixed operator+(Fixed a, Fixed b) { return Raw(WrapAdd(a.raw, b.raw)); }
    friend constexpr Fixed operator-(Fixed a, Fixed b) { return Raw(WrapSub(a.raw, b.raw)); }
    friend constexpr Fixed operator-(Fixed a) { return Raw(WrapNeg(a.raw)); }
    friend constexpr Fixed operator*(Fixed a, Fixed b) { return Raw(WrapMul(a.raw, b.raw) >> 8); }
    friend constexpr Fixed operator/(Fixed a, Fixed b) { return Raw(TruncDiv(WrapMul(a.raw, 256), b.raw)); }
    friend constexpr Fixed operator*(Fixed a, int32_t n) { return Raw(WrapMul(a.raw, n)); }
    friend constexpr Fixed operator/(Fixed a, int32_t n) { return Raw(TruncDiv(a.raw, n)); }
    friend constexpr Fixed operator>>(Fixed a, int k) { return Raw(a.raw >> k); }
    constexpr Fixed& operator+=(Fixed b) { return *this = *this + b; }
    constexpr Fixed& operator-=(Fixed b) { return *this = *this - b; }
    friend constexpr auto operator<=>(Fixed a, Fixed b) = default;
};
