// Writes every picture and sound the game loads into the directory named on
// the command line, and the menu icons into a second one if it is named. The
// output depends on nothing but this code, so every build produces the same
// bytes.
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "catalogue.h"
#include "files/atomic_file.h"

namespace {

const char* const kProgram = "zandrove-assetgen";

// Writes each file of a catalogue below dir; false (having said why) on the first failure.
bool WriteAll(const std::filesystem::path& dir, const std::vector<gen::AssetMaker>& catalogue) {
    for (const gen::AssetMaker& asset : catalogue) {
        const std::filesystem::path path = dir / asset.file;
        std::error_code ec;
        std::filesystem::create_directories(path.parent_path(), ec);
        if (ec) {
            std::fprintf(stderr, "%s: cannot create directory %s: %s\n", kProgram, path.parent_path().c_str(),
                         ec.message().c_str());
            return false;
        }
        // Whole or not at all: a build stopped half-way leaves no cut asset behind.
        std::string error;
        if (!WriteFileAtomically(path.string(), asset.encode(), error)) {
            std::fprintf(stderr, "%s: %s\n", kProgram, error.c_str());
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s OUTPUT-DIRECTORY [ICON-DIRECTORY]\n", kProgram);
        return 2;
    }
    try {
        if (!WriteAll(argv[1], gen::Catalogue())) return 1;
        // The icons go to a directory of their own: the game's directory holds exactly what it loads.
        if (argc == 3 && !WriteAll(argv[2], gen::IconCatalogue())) return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", kProgram, e.what());
        return 1;
    }
    return 0;
}
