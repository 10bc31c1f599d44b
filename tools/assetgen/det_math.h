#pragma once
// Arithmetic that gives the same bits on every machine: only IEEE basic
// operations, floor and ldexp, never the C library's transcendental
// functions (whose last bits differ between library versions), and a PRNG
// of our own instead of rand().
#include <cstdint>

namespace gen {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

double Sin(double x);
double Cos(double x);
double Exp(double x);
// 2 to the power x.
double Exp2(double x);
double Clamp(double v, double lo, double hi);
double Mix(double a, double b, double t);
// 0 below e0, 1 above e1, a smooth S-curve between.
double SmoothStep(double e0, double e1, double x);
// A soft limiter: linear near 0, approaching +-1.
double SoftClip(double x);

uint32_t Hash(uint32_t x);
uint32_t Hash2(int x, int y, uint32_t seed);

// Smooth value noise in [-1, 1], and its sum over octaves (fractal noise).
double Noise1(double x, uint32_t seed);
double Noise2(double x, double y, uint32_t seed);
double Fractal2(double x, double y, int octaves, uint32_t seed);
double Fractal1(double x, int octaves, uint32_t seed);

// Small, fast and fully determined by its seed.
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t Next();
    // Uniform in [0, 1).
    double Unit();
    double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }
    // Uniform in [-1, 1).
    double Signed() { return 2.0 * Unit() - 1.0; }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }

private:
    uint64_t state_;
};

}  // namespace gen
