#include "det_math.h"

#include <cmath>

namespace gen {

namespace {
constexpr double kLn2 = 0.69314718055994530942;

// Taylor series of sin on [-pi/2, pi/2]; the error is below 1e-12.
double SinReduced(double x) {
    const double x2 = x * x;
    double term = x;
    double sum = x;
    for (int n = 1; n <= 9; ++n) {
        term *= -x2 / ((2.0 * n) * (2.0 * n + 1.0));
        sum += term;
    }
    return sum;
}
}  // namespace

double Sin(double x) {
    // Into [-pi, pi], then fold into [-pi/2, pi/2] with sin(pi - x) = sin(x).
    double r = x - kTwoPi * std::floor(x / kTwoPi + 0.5);
    if (r > kPi / 2) r = kPi - r;
    if (r < -kPi / 2) r = -kPi - r;
    return SinReduced(r);
}

double Cos(double x) { return Sin(x + kPi / 2); }

double Exp2(double x) {
    const double k = std::floor(x + 0.5);
    const double r = (x - k) * kLn2;  // |r| <= ln2 / 2
    double term = 1.0;
    double sum = 1.0;
    for (int n = 1; n <= 14; ++n) {
        term *= r / n;
        sum += term;
    }
    return std::ldexp(sum, static_cast<int>(k));
}

double Exp(double x) { return Exp2(x / kLn2); }

double Clamp(double v, double lo, double hi) { return v < lo ? lo : (v > hi ? hi : v); }

double Mix(double a, double b, double t) { return a + (b - a) * t; }

double SmoothStep(double e0, double e1, double x) {
    const double t = Clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

double SoftClip(double x) { return x / std::sqrt(1.0 + x * x); }

uint32_t Hash(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

uint32_t Hash2(int x, int y, uint32_t seed) {
    return Hash(static_cast<uint32_t>(x) * 0x9E3779B1U ^ Hash(static_cast<uint32_t>(y) + seed * 0x85EBCA77U));
}

namespace {
double Lattice(int x, int y, uint32_t seed) { return Hash2(x, y, seed) / 2147483647.5 - 1.0; }
double Fade(double t) { return t * t * (3.0 - 2.0 * t); }
}  // namespace

double Noise2(double x, double y, uint32_t seed) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const double tx = Fade(x - fx);
    const double ty = Fade(y - fy);
    const double top = Mix(Lattice(ix, iy, seed), Lattice(ix + 1, iy, seed), tx);
    const double bottom = Mix(Lattice(ix, iy + 1, seed), Lattice(ix + 1, iy + 1, seed), tx);
    return Mix(top, bottom, ty);
}

double Noise1(double x, uint32_t seed) { return Noise2(x, 0.5, seed); }

double Fractal2(double x, double y, int octaves, uint32_t seed) {
    double sum = 0.0;
    double amplitude = 0.5;
    double norm = 0.0;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * Noise2(x, y, seed + 977U * o);
        norm += amplitude;
        x *= 2.0;
        y *= 2.0;
        amplitude *= 0.5;
    }
    return sum / norm;
}

double Fractal1(double x, int octaves, uint32_t seed) { return Fractal2(x, 0.5, octaves, seed); }

uint64_t Rng::Next() {
    // splitmix64
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

double Rng::Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

}  // namespace gen
