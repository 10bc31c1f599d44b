#pragma once
// Every sound of the game, synthesized in code; samples in [-1, 1] at
// kSampleRate.
#include <vector>

namespace gen {

std::vector<double> MakeExplode();
// Loops seamlessly: its last sample leads into its first.
std::vector<double> MakeHiss();
// index 0 to 15: sixteen different screams.
std::vector<double> MakeScream(int index);
// index 0 or 1: two different gasps.
std::vector<double> MakeHuh(int index);

}  // namespace gen
