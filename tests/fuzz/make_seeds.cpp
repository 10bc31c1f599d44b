// Writes the fuzzer's seed corpus: the built-in levels as level pack files,
// one level a file and a few several-level packs, each level's header holding
// bomb placements and a little edit-mode input, in the layout the fuzz target
// reads. The placements are the levels' known solutions where the solutions
// file gives them (so the seeds reach the completion), else bombs beside the
// hamsters. Usage: zandrove-fuzz-seeds OUTPUT_DIR [SOLUTIONS_FILE]
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "sim/solutions_file.h"
#include "fuzz_play.h"
#include "levels/level_table.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& out, size_t at, int v) {
    out[at] = static_cast<uint8_t>(v & 0xFF);
    out[at + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
}

std::vector<RecordedSolution> solutions;

// Bombs as a known solution places them; false when none is known.
bool PlaceSolution(Bytes& h, int level) {
    const std::vector<BombPlacement> placements = SolutionBombs(solutions, level + 1);
    if (placements.empty()) return false;
    int bombs = 0;
    for (const BombPlacement& b : placements) {
        if (bombs == kFuzzBombs) break;
        Put16(h, 1 + 6 * bombs, b.x);
        Put16(h, 3 + 6 * bombs, b.y);
        Put16(h, 5 + 6 * bombs, b.fuse);
        ++bombs;
    }
    h[0] = static_cast<uint8_t>(bombs);
    return true;
}

// One bomb beside each of the first hamsters (below and to one side, so the
// blast throws it up and across), fuses a second apart.
void PlaceBesideHamsters(Bytes& h, const LevelRecord* records) {
    int inventory = 0;
    for (const LevelRecord* r = records; r->type != REC_END; ++r) inventory += r->type == REC_BOMB;
    int bombs = 0;
    for (const LevelRecord* r = records; r->type != REC_END && bombs < inventory && bombs < kFuzzBombs; ++r) {
        if (r->type != REC_HAMSTER) continue;
        const int side = bombs % 2 == 0 ? -1 : 1;
        Put16(h, 1 + 6 * bombs, r->x + side * 20);
        Put16(h, 3 + 6 * bombs, r->y + 12);
        Put16(h, 5 + 6 * bombs, 60 + 60 * bombs);
        ++bombs;
    }
    h[0] = static_cast<uint8_t>(bombs);
}

// Three edit-mode frames: a press on the first inventory slot, its release,
// an arrow key.
void AddClicks(Bytes& h) {
    h[31] = 3;
    const int hudY = 420;  // inside the first slot of the HUD in edit mode
    Put16(h, 32, 120);
    Put16(h, 34, hudY);
    h[36] = 1;  // left button held: the press takes the bomb if it is still there
    Put16(h, 38, 120);
    Put16(h, 40, hudY);
    Put16(h, 44, 300);
    Put16(h, 46, 200);
    h[49] = 84;  // an arrow key
}

Bytes LevelHeader(int level, bool clicks) {
    Bytes h(kPackLevelHeaderSize, 0);
    if (!PlaceSolution(h, level)) PlaceBesideHamsters(h, BuiltinLevels[level]);
    if (clicks) AddClicks(h);
    return h;
}

void AppendLevel(Bytes& pack, int level, bool clicks) {
    const Bytes header = LevelHeader(level, clicks);
    const LevelRecord* records = BuiltinLevels[level];
    pack.insert(pack.end(), header.begin(), header.end());
    for (const LevelRecord* r = records;; ++r) {
        const int16_t fields[8] = {r->type, r->x, r->y, r->w, r->h, r->param, r->reserved0, r->reserved1};
        for (int16_t f : fields) {
            pack.push_back(static_cast<uint8_t>(f & 0xFF));
            pack.push_back(static_cast<uint8_t>((f >> 8) & 0xFF));
        }
        if (r->type == REC_END) break;
    }
}

Bytes Pack(const std::vector<int>& levels, bool clicks) {
    Bytes pack(kPackFileHeaderSize, 0);
    for (int i : levels) AppendLevel(pack, i, clicks);
    return pack;
}

bool Write(const std::filesystem::path& file, const Bytes& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: zandrove-fuzz-seeds OUTPUT_DIR [SOLUTIONS_FILE]\n");
        return 2;
    }
    if (argc == 3) {
        std::string error;
        if (!ReadSolutionsFile(argv[2], solutions, error))
            std::fprintf(stderr, "zandrove-fuzz-seeds: %s; bombs go beside the hamsters\n", error.c_str());
    }
    const std::filesystem::path dir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        std::fprintf(stderr, "zandrove-fuzz-seeds: %s: %s\n", argv[1], ec.message().c_str());
        return 1;
    }
    std::vector<std::pair<std::string, Bytes>> seeds;
    for (int i = 0; i < kBuiltinLevelCount; ++i) {
        seeds.push_back({"level" + std::to_string(i + 1) + ".pak", Pack({i}, false)});
        seeds.push_back({"level" + std::to_string(i + 1) + "-clicks.pak", Pack({i}, true)});
    }
    seeds.push_back({"levels1-4.pak", Pack({0, 1, 2, 3}, false)});
    seeds.push_back({"levels7-10.pak", Pack({6, 7, 8, 9}, true)});
    seeds.push_back({"header-only.pak", Bytes(kPackFileHeaderSize, 0)});
    seeds.push_back({"empty-level.pak", Bytes(kPackFileHeaderSize + kPackLevelHeaderSize + 16, 0)});
    for (const auto& [name, bytes] : seeds) {
        if (!Write(dir / name, bytes)) {
            std::fprintf(stderr, "zandrove-fuzz-seeds: cannot write %s\n", (dir / name).c_str());
            return 1;
        }
    }
    return 0;
}
