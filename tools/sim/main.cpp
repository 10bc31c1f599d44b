// zandrove-sim: plays a level without a window, traces it, pictures it, or
// searches for the bombs that solve it.
#include <iostream>
#include <string>
#include <vector>

#include "sim/sim_command.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return SimMain(std::vector<std::string>(argv + 1, argv + argc), argc > 0 ? argv[0] : nullptr, std::cout,
                   std::cerr);
}
