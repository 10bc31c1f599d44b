// Writes every picture and sound the game loads into the directory named on
// the command line. The output depends on nothing but this code, so every
// build produces the same bytes.
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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-DIRECTORY\n", kProgram);
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        std::fprintf(stderr, "%s: cannot create directory %s: %s\n", kProgram, dir.c_str(), ec.message().c_str());
        return 1;
    }
    try {
        for (const gen::AssetMaker& asset : gen::Catalogue()) {
            const std::filesystem::path path = dir / asset.file;
            // Whole or not at all: a build stopped half-way leaves no cut asset behind.
            const std::vector<uint8_t> bytes = asset.encode();
            std::string error;
            if (!WriteFileAtomically(path.string(), bytes, error)) {
                std::fprintf(stderr, "%s: %s\n", kProgram, error.c_str());
                return 1;
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", kProgram, e.what());
        return 1;
    }
    return 0;
}
