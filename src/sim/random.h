#pragma once
// The C library's rand() as a value a world carries: for the same seed it
// gives the same numbers as glibc's srand/rand (the additive feedback
// generator x[n] = x[n-3] + x[n-31], seeded by the minimal standard
// generator), so a world's screams and gasps are those the game always
// made, and two worlds never draw from one hidden generator.
#include <array>
#include <cstdint>

class Random {
public:
    explicit Random(uint32_t seed = 1) { Seed(seed); }  // 1: a program that never called srand
    void Seed(uint32_t seed);
    // 0 to 2^31 - 1.
    int32_t Next();

private:
    static constexpr int kDegree = 31;
    static constexpr int kSeparation = 3;
    std::array<int32_t, kDegree> state_{};
    int front_ = kSeparation;
    int rear_ = 0;
};
