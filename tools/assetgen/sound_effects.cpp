// The explosion and the burning fuse's hiss.
#include <cmath>

#include "det_math.h"
#include "sounds.h"
#include "synth.h"
#include "wav_writer.h"

namespace gen {

std::vector<double> MakeExplode() {
    const int n = static_cast<int>(1.25 * kSampleRate);
    std::vector<double> out(n);
    Rng rng(0xB00);
    Biquad blast, rumble;
    rumble.LowPass(160.0, 0.8);
    double thumpPhase = 0.0, crackle = 0.0;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        // The roar darkens as it dies away.
        if (i % 32 == 0) blast.LowPass(150.0 + 4200.0 * Exp(-t / 0.12), 0.9);
        const double white = rng.Signed();
        const double attack = Clamp(t / 0.004, 0.0, 1.0);
        const double roar = blast.Process(white) * (Exp(-t / 0.22) + 0.25 * Exp(-t / 0.7));
        const double low = rumble.Process(white) * 3.0 * Exp(-t / 0.45);
        // A falling low thump gives the blast its weight.
        thumpPhase += kTwoPi * (28.0 + 70.0 * Exp(-t / 0.12)) / kSampleRate;
        const double thump = Sin(thumpPhase) * Exp(-t / 0.3);
        // Debris: sparse crackles that thin out.
        if (rng.Unit() < 0.004 * Exp(-t / 0.4)) crackle = rng.Signed() * 0.7;
        crackle *= 0.93;
        out[i] = attack * (1.1 * roar + 0.8 * low + 0.9 * thump + crackle * Exp(-t / 0.5));
    }
    for (double& s : out) s = SoftClip(1.6 * s);
    Normalise(out, 0.95);
    FadeEnds(out, 0.0, 0.08);
    return out;
}

std::vector<double> MakeHiss() {
    // Noise a little longer than the loop; the extra tail is cross-faded
    // into the start, so the end flows into the beginning without a click.
    const int nominal = static_cast<int>(0.9 * kSampleRate);
    const int overlap = static_cast<int>(0.12 * kSampleRate);
    std::vector<double> raw(nominal + overlap + 400);
    Rng rng(0x5155);
    Biquad high, body;
    high.HighPass(2400.0, 0.7);
    body.BandPass(5200.0, 1.2);
    double pop = 0.0;
    for (size_t i = 0; i < raw.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double white = rng.Signed();
        // The fuse sputters: the level flutters, with the odd tiny pop.
        const double flutter = 1.0 + 0.25 * Noise1(t * 38.0, 3) + 0.1 * Noise1(t * 170.0, 4);
        if (rng.Unit() < 0.0015) pop = rng.Signed();
        pop *= 0.8;
        raw[i] = (0.6 * high.Process(white) + 0.8 * body.Process(white)) * flutter + 0.3 * pop;
    }
    // Let the filters settle before the loop starts, and end the loop where
    // the noise takes a small step, so the jump back is an ordinary one.
    const int start = 200;
    int loop = nominal;
    for (int l = nominal - 300; l <= nominal; ++l)
        if (std::fabs(raw[start + l] - raw[start + l - 1]) < std::fabs(raw[start + loop] - raw[start + loop - 1]))
            loop = l;
    std::vector<double> out(loop);
    for (int i = 0; i < loop; ++i) {
        double s = raw[start + i];
        if (i < overlap) {
            // Equal-power fade of the tail (continuing from the loop's last
            // sample) into the head.
            const double w = static_cast<double>(i) / overlap;
            s = s * std::sqrt(w) + raw[start + loop + i] * std::sqrt(1.0 - w);
        }
        out[i] = s;
    }
    Normalise(out, 0.42);
    return out;
}

}  // namespace gen
