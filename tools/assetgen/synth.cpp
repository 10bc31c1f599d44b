#include "synth.h"

#include <cmath>

#include "det_math.h"
#include "wav_writer.h"

namespace gen {

void Biquad::Set(double b0, double b1, double b2, double a0, double a1, double a2) {
    b0_ = b0 / a0;
    b1_ = b1 / a0;
    b2_ = b2 / a0;
    a1_ = a1 / a0;
    a2_ = a2 / a0;
}

void Biquad::LowPass(double freq, double q) {
    const double w = kTwoPi * freq / kSampleRate, c = Cos(w), alpha = Sin(w) / (2.0 * q);
    Set((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::HighPass(double freq, double q) {
    const double w = kTwoPi * freq / kSampleRate, c = Cos(w), alpha = Sin(w) / (2.0 * q);
    Set((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::BandPass(double freq, double q) {
    const double w = kTwoPi * freq / kSampleRate, c = Cos(w), alpha = Sin(w) / (2.0 * q);
    Set(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

double Biquad::Process(double x) {
    const double y = b0_ * x + z1_;
    z1_ = b1_ * x - a1_ * y + z2_;
    z2_ = b2_ * x - a2_ * y;
    return y;
}

std::vector<double> Voice(const VoiceShape& shape) {
    const int n = static_cast<int>(shape.seconds * kSampleRate);
    std::vector<double> out(n);
    Rng rng(shape.seed);
    Biquad formants[3];
    Formant f[3];
    double phase = 0.0;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / n;
        // Retune the resonances every few samples; they glide slowly.
        if (i % 32 == 0) {
            shape.vowel(t, f);
            for (int k = 0; k < 3; ++k) formants[k].BandPass(f[k].freq, f[k].freq / f[k].bandwidth);
        }
        const double pitch = shape.pitch(t);
        phase += kTwoPi * pitch / kSampleRate;
        if (phase > kTwoPi) phase -= kTwoPi;
        // Harmonics up to 9 kHz, falling off like a sawtooth's.
        double voiced = 0.0;
        const int harmonics = static_cast<int>(9000.0 / pitch);
        for (int k = 1; k <= harmonics; ++k) voiced += Sin(k * phase) / k;
        const double breath = shape.breath(t);
        const double source = voiced * (1.0 - breath) + rng.Signed() * 2.2 * breath;
        double s = 0.0;
        for (int k = 0; k < 3; ++k) s += formants[k].Process(source) * f[k].gain;
        out[i] = s * shape.loudness(t);
    }
    return out;
}

void Normalise(std::vector<double>& s, double peak) {
    double loudest = 0.0;
    for (double v : s) loudest = std::fmax(loudest, std::fabs(v));
    if (loudest <= 0.0) return;
    for (double& v : s) v *= peak / loudest;
}

void FadeEnds(std::vector<double>& s, double inSeconds, double outSeconds) {
    const int n = static_cast<int>(s.size());
    const int in = static_cast<int>(inSeconds * kSampleRate), out = static_cast<int>(outSeconds * kSampleRate);
    for (int i = 0; i < in && i < n; ++i) s[i] *= static_cast<double>(i) / in;
    for (int i = 0; i < out && i < n; ++i) s[n - 1 - i] *= static_cast<double>(i) / out;
}

}  // namespace gen
