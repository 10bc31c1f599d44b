// The hamster's voice: sixteen screams while it flies and two gasps when it
// notices a fuse. Each is a small synthesized voice with its own pitch,
// length and vowel.
#include "det_math.h"
#include "sounds.h"
#include "synth.h"

namespace gen {

namespace {

// Vowel resonances (Hz): a squeaky "ee", an open "aa", a rounded "uh".
const Formant kEe[3] = {{380, 120, 1.0}, {2300, 200, 0.7}, {3100, 260, 0.35}};
const Formant kAa[3] = {{900, 150, 1.0}, {1350, 180, 0.8}, {2800, 260, 0.3}};
const Formant kUh[3] = {{620, 130, 1.0}, {1150, 170, 0.6}, {2600, 260, 0.2}};

void Blend(const Formant a[3], const Formant b[3], double t, Formant out[3]) {
    for (int k = 0; k < 3; ++k)
        out[k] = {Mix(a[k].freq, b[k].freq, t), Mix(a[k].bandwidth, b[k].bandwidth, t), Mix(a[k].gain, b[k].gain, t)};
}

// Attack, hold, release, as shares of the length.
double Envelope(double t, double attack, double release) {
    return SmoothStep(0.0, attack, t) * SmoothStep(1.0, 1.0 - release, t);
}

}  // namespace

std::vector<double> MakeScream(int index) {
    // Lengths 0.31 to 0.775 s, spread over the set in a jumbled order so
    // neighbouring numbers differ.
    static const int kOrder[16] = {7, 2, 12, 0, 9, 14, 4, 11, 1, 15, 6, 10, 3, 13, 5, 8};
    Rng rng(0x5C3EA4ULL + static_cast<uint64_t>(index) * 7919);
    const double seconds = 0.31 + 0.031 * kOrder[index];
    const double base = 560.0 + 34.0 * kOrder[(index + 5) % 16] + rng.Range(-15, 15);
    const double rise = rng.Range(3.0, 7.0);    // semitones up to the peak
    const double fall = rng.Range(5.0, 11.0);   // and down at the end
    const double peakAt = rng.Range(0.12, 0.35);
    const double vibratoRate = rng.Range(6.0, 11.0) * seconds;  // cycles over the length
    const double vibratoDepth = rng.Range(0.4, 1.1);
    const bool wobbly = index % 3 == 1;  // some break into a second yelp
    const bool startsOpen = index % 2 == 0;
    const uint32_t seed = static_cast<uint32_t>(index) + 50;

    VoiceShape shape;
    shape.seconds = seconds;
    shape.pitch = [=](double t) {
        double semis = rise * SmoothStep(0.0, peakAt, t) - fall * SmoothStep(peakAt, 1.0, t) - rise * 0.6;
        if (wobbly) semis += 3.0 * SmoothStep(0.5, 0.6, t) * SmoothStep(0.85, 0.7, t);
        semis += vibratoDepth * SmoothStep(0.0, 0.4, t) * Sin(kTwoPi * vibratoRate * t);
        semis += 0.25 * Noise1(t * 60.0, seed);
        return base * Exp2(semis / 12.0);
    };
    shape.loudness = [=](double t) {
        return Envelope(t, 0.06, 0.25) * (1.0 + 0.15 * Sin(kTwoPi * vibratoRate * t + 1.0));
    };
    shape.breath = [](double t) { return 0.12 + 0.25 * SmoothStep(0.6, 1.0, t); };
    shape.vowel = [=](double t, Formant out[3]) {
        // "eee-aah" or "aah-eee": the mouth moves during the scream.
        const double k = SmoothStep(0.1, 0.7, t);
        if (startsOpen)
            Blend(kAa, kEe, k * 0.7, out);
        else
            Blend(kEe, kAa, k, out);
    };
    shape.seed = 0xACE0ULL + static_cast<uint64_t>(index);
    std::vector<double> s = Voice(shape);
    Normalise(s, 0.85);
    FadeEnds(s, 0.004, 0.02);
    return s;
}

std::vector<double> MakeHuh(int index) {
    VoiceShape shape;
    if (index == 0) {
        // "Huh?": a breathy onset, then a short rounded vowel rising like a question.
        shape.seconds = 0.32;
        shape.pitch = [](double t) { return 360.0 * Exp2(SmoothStep(0.25, 1.0, t) * 5.0 / 12.0); };
        shape.loudness = [](double t) { return Envelope(t, 0.08, 0.3); };
        shape.breath = [](double t) { return 0.15 + 0.85 * SmoothStep(0.3, 0.12, t); };
        shape.vowel = [](double, Formant out[3]) { Blend(kUh, kAa, 0.2, out); };
        shape.seed = 0x4A1;
    } else {
        // "Hah!": a sharp gasp, mostly breath, its pitch dropping.
        shape.seconds = 0.24;
        shape.pitch = [](double t) { return 540.0 * Exp2(-SmoothStep(0.0, 1.0, t) * 6.0 / 12.0); };
        shape.loudness = [](double t) { return Envelope(t, 0.04, 0.45); };
        shape.breath = [](double t) { return 0.45 + 0.5 * SmoothStep(0.2, 0.05, t); };
        shape.vowel = [](double t, Formant out[3]) { Blend(kAa, kEe, 0.3 * t, out); };
        shape.seed = 0x4A2;
    }
    std::vector<double> s = Voice(shape);
    Normalise(s, 0.8);
    FadeEnds(s, 0.003, 0.015);
    return s;
}

}  // namespace gen
