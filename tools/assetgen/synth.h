#pragma once
// Building blocks of the synthesized sounds.
#include <cstdint>
#include <functional>
#include <vector>

namespace gen {

// A two-pole filter (the usual audio cookbook forms), retunable while running.
class Biquad {
public:
    void LowPass(double freq, double q);
    void HighPass(double freq, double q);
    // Peak gain 1 at freq.
    void BandPass(double freq, double q);
    double Process(double x);

private:
    void Set(double b0, double b1, double b2, double a0, double a1, double a2);
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double z1_ = 0, z2_ = 0;
};

struct Formant {
    double freq, bandwidth, gain;
};

// How a voice moves over its length; t runs from 0 to 1.
struct VoiceShape {
    double seconds;
    std::function<double(double t)> pitch;      // Hz
    std::function<double(double t)> loudness;   // 0..1
    std::function<double(double t)> breath;     // share of noise, 0..1
    // Three formants at time t.
    std::function<void(double t, Formant out[3])> vowel;
    uint64_t seed;
};

// A voiced sound: a bright harmonic source plus breath noise, shaped by
// three resonances (the vowel). Not normalised.
std::vector<double> Voice(const VoiceShape& shape);

// Scales so the loudest sample has the given magnitude.
void Normalise(std::vector<double>& s, double peak);
// Linear fades at both ends, to start and stop without a click.
void FadeEnds(std::vector<double>& s, double inSeconds, double outSeconds);

}  // namespace gen
