// zandrove-pack: builds, prints and checks level pack files.
#include <iostream>
#include <string>
#include <vector>

#include "pack/commands.h"

int main(int argc, char** argv) {
    return RunPackTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
