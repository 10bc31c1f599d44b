#include "sim/random.h"

#include <cstddef>

void Random::Seed(uint32_t seed) {
    // The seed is taken as a signed word, as the C library takes it.
    int32_t word = static_cast<int32_t>(seed == 0 ? 1 : seed);
    state_[0] = word;
    for (int i = 1; i < kDegree; ++i) {
        // 16807 * word mod (2^31 - 1), without overflow (Schrage's method).
        const int64_t hi = word / 127773;
        const int64_t lo = word % 127773;
        word = static_cast<int32_t>(16807 * lo - 2836 * hi);
        if (word < 0) word += 2147483647;
        state_[static_cast<size_t>(i)] = word;
    }
    front_ = kSeparation;
    rear_ = 0;
    for (int i = 0; i < 10 * kDegree; ++i) Next();
}

int32_t Random::Next() {
    int32_t& f = state_[static_cast<size_t>(front_)];
    f = static_cast<int32_t>(static_cast<uint32_t>(f) + static_cast<uint32_t>(state_[static_cast<size_t>(rear_)]));
    const int32_t result = static_cast<int32_t>(static_cast<uint32_t>(f) >> 1);
    if (++front_ == kDegree) front_ = 0;
    if (++rear_ == kDegree) rear_ = 0;
    return result;
}
