#include "sim/geometry.h"

#include <cmath>

double RoundUp(double x) { return x > 0 ? std::ceil(x) : std::floor(x); }
