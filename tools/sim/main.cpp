// zandrove-sim: plays a level without a window, traces it, pictures it, or
// searches for the bombs that solve it.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "files/checked_output.h"
#include "sim/sim_command.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    CheckedOutput out(STDOUT_FILENO);
    int status = SimMain(std::vector<std::string>(argv + 1, argv + argc), argc > 0 ? argv[0] : nullptr, out,
                         std::cerr);
    // A lost trace or result is a failed run, like a screenshot that cannot be written.
    std::string why;
    if (!out.Finish(why)) {
        std::cerr << "zandrove-sim: cannot write the standard output: " << why << "\n";
        status = kSimFileError;
    }
    return status;
}
