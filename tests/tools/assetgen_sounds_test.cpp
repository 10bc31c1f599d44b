#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "asset_probe.h"
#include "game/asset_files.h"

namespace {

class GeneratedSounds : public ::testing::Test {
protected:
    static void SetUpTestSuite() { StartHeadless(); }
};

double Seconds(const SAMPLE* s) { return static_cast<double>(s->len) / s->freq; }

double Rms(const std::vector<double>& v, size_t from, size_t count) {
    double sum = 0.0;
    for (size_t i = from; i < from + count; ++i) sum += v[i] * v[i];
    return std::sqrt(sum / count);
}

double Peak(const std::vector<double>& v) {
    double peak = 0.0;
    for (double x : v) peak = std::max(peak, std::fabs(x));
    return peak;
}

TEST_F(GeneratedSounds, EverySampleIsAudibleMono16Bit) {
    for (const char* file : kSampleFiles) {
        SamplePtr s = LoadAssetSample(file);
        ASSERT_TRUE(s) << file;
        EXPECT_EQ(s->bits, 16) << file;
        EXPECT_EQ(s->stereo, 0) << file;
        EXPECT_EQ(s->freq, 22050) << file;
        EXPECT_GT(Peak(SampleValues(s.get())), 0.3) << file;
        EXPECT_LT(Seconds(s.get()), 2.0) << file;
    }
}

TEST_F(GeneratedSounds, ScreamsAndGaspsAreShortAndAllDifferent) {
    std::vector<std::vector<double>> voices;
    for (int i = 1; i <= 16; ++i) {
        const std::string file = std::string("Scream") + (i < 10 ? "0" : "") + std::to_string(i) + ".wav";
        SamplePtr s = LoadAssetSample(file);
        ASSERT_TRUE(s) << file;
        EXPECT_GE(Seconds(s.get()), 0.3) << file;
        EXPECT_LE(Seconds(s.get()), 0.8) << file;
        voices.push_back(SampleValues(s.get()));
    }
    for (const char* file : {"Huh01.wav", "Huh02.wav"}) {
        SamplePtr s = LoadAssetSample(file);
        ASSERT_TRUE(s) << file;
        EXPECT_GE(Seconds(s.get()), 0.1) << file;
        EXPECT_LE(Seconds(s.get()), 0.6) << file;
        voices.push_back(SampleValues(s.get()));
    }
    for (size_t a = 0; a < voices.size(); ++a)
        for (size_t b = a + 1; b < voices.size(); ++b) EXPECT_NE(voices[a], voices[b]) << a << " vs " << b;
    // They start and stop without a click.
    for (const auto& v : voices) {
        EXPECT_LT(std::fabs(v.front()), 0.02);
        EXPECT_LT(std::fabs(v.back()), 0.02);
    }
}

TEST_F(GeneratedSounds, ExplosionBangsThenDiesAway) {
    SamplePtr s = LoadAssetSample("Explode.wav");
    ASSERT_TRUE(s);
    EXPECT_GE(Seconds(s.get()), 0.8);
    const std::vector<double> v = SampleValues(s.get());
    const size_t tenth = s->freq / 10;
    EXPECT_GT(Rms(v, 0, tenth), 0.15);
    EXPECT_GT(Rms(v, 0, tenth), 8.0 * Rms(v, v.size() - tenth, tenth));
}

TEST_F(GeneratedSounds, HissLoopsWithoutAClick) {
    SamplePtr s = LoadAssetSample("Hiss.wav");
    ASSERT_TRUE(s);
    const std::vector<double> v = SampleValues(s.get());
    ASSERT_GT(v.size(), 4410u);
    // The step from the last sample back to the first is no bigger than the
    // ordinary steps inside the sound...
    std::vector<double> steps;
    for (size_t i = 1; i < v.size(); ++i) steps.push_back(std::fabs(v[i] - v[i - 1]));
    std::sort(steps.begin(), steps.end());
    EXPECT_LE(std::fabs(v.front() - v.back()), steps[steps.size() * 9 / 10]);
    // ...and the level does not jump either.
    const size_t window = s->freq / 20;
    const double head = Rms(v, 0, window), tail = Rms(v, v.size() - window, window);
    EXPECT_LT(head, 1.6 * tail);
    EXPECT_LT(tail, 1.6 * head);
}

}  // namespace
