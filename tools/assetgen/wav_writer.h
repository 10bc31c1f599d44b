#pragma once
// RIFF WAVE files: mono, 16-bit PCM, the kind Allegro's load_wav reads.
#include <cstdint>
#include <vector>

namespace gen {

constexpr int kSampleRate = 22050;

// Samples in [-1, 1]; values outside are limited.
std::vector<uint8_t> EncodeWav(const std::vector<double>& samples);

}  // namespace gen
