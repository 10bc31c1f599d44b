// zandrove-pack: builds, prints and checks level pack files.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "files/checked_output.h"
#include "pack/commands.h"

int main(int argc, char** argv) {
    CheckedOutput out(STDOUT_FILENO);
    int status = RunPackTool(std::vector<std::string>(argv + 1, argv + argc), out, std::cerr);
    // The output is the result: a lost one (a full disk, /dev/full) is a file error.
    std::string why;
    if (!out.Finish(why)) {
        std::cerr << "zandrove-pack: cannot write the standard output: " << why << "\n";
        status = kExitUsage;
    }
    return status;
}
