// A world's random numbers are the C library's: the screams and gasps it
// picks, and so every sound the game has always made, must not change.
#include "sim/random.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(Random, GivesTheCLibrarysSequenceForEverySeed) {
    for (uint32_t seed : {0u, 1u, 42u, 2147483647u, 2147483648u, 4000000000u}) {
        std::srand(seed);
        Random r(seed);
        for (int i = 0; i < 2000; ++i) ASSERT_EQ(r.Next(), std::rand()) << "seed " << seed << ", number " << i;
    }
    // Seeded again halfway, it starts over as srand does; unseeded, it is a
    // program that never called srand.
    Random r;
    for (int i = 0; i < 100; ++i) r.Next();
    r.Seed(42);
    std::srand(42);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(r.Next(), std::rand()) << i;
    std::srand(1);
    Random unseeded;
    for (int i = 0; i < 100; ++i) ASSERT_EQ(unseeded.Next(), std::rand()) << i;
}

}  // namespace
