#include "failure.h"

#include <cstdio>
#include <cstdlib>

void FuzzFailure(const char* what) {
    std::fprintf(stderr, "zandrove-fuzz: %s\n", what);
    std::abort();
}
