// Writes the fuzzers' seed corpora, beside the committed ones.
// OUTPUT_DIR/pack: the built-in levels as level pack files, one level a file
// and a few several-level packs, each level's header holding bomb placements
// and a little edit-mode input, in the layout the play targets read
// (fuzz_play.h); the placements are the levels' known solutions where the
// solutions file gives them (so the seeds reach the completion), else bombs
// beside the hamsters. Also the ten levels as the pack tool writes them,
// named headers and all.
// OUTPUT_DIR/text: the built-in levels as level texts, as `dump` prints them,
// and a text with every statement in each of its forms.
// Usage: zandrove-fuzz-seeds OUTPUT_DIR [SOLUTIONS_FILE]
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz_play.h"
#include "packs/builtin_levels.h"
#include "packs/pack_header.h"
#include "packs/pack_model.h"
#include "packs/pack_writer.h"
#include "packs/text_printer.h"
#include "sim/solutions_file.h"

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

Bytes TextBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// Every statement in each of its forms, with the things a person's text has:
// comments, blank lines, escapes in names, a byte order mark, CRLF ends.
const char kEveryForm[] =
    "\xEF\xBB\xBF# Every statement once.\r\n"
    "level \"Forms \\\"quoted\\\" \\\\ # not a comment\"\r\n"
    "bomb\r\n"
    "hamster 80 84   # stands on the row\r\n"
    "block row y=110 x=70..250\r\n"
    "brick row x=330..250 y=110\r\n"
    "block column x=10 y=-10..470\r\n"
    "brick column y=470..450 x=630\r\n"
    "fixed-bomb 200 340 fuse 8\r\n"
    "fixed-bomb -1 +5 fuse -3\r\n"
    "exit 300 320 60 40\r\n"
    "\r\n"
    "\trecord 6 1 2 3 4 5 -32768 32767\r\n"
    "record 3\r\n"
    "record 0 0 0 0 0 0 0 1\r\n"
    "level\r\n"
    "level \"\"\r\n"
    "block 32767 -32768\r\n"
    "record 0\r\n";

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
    for (const char* kind : {"pack", "text"}) std::filesystem::create_directories(dir / kind, ec);
    if (ec) {
        std::fprintf(stderr, "zandrove-fuzz-seeds: %s: %s\n", argv[1], ec.message().c_str());
        return 1;
    }
    std::vector<std::pair<std::string, Bytes>> seeds;
    for (int i = 0; i < kBuiltinLevelCount; ++i) {
        seeds.push_back({"pack/level" + std::to_string(i + 1) + ".pak", Pack({i}, false)});
        seeds.push_back({"pack/level" + std::to_string(i + 1) + "-clicks.pak", Pack({i}, true)});
    }
    seeds.push_back({"pack/levels1-4.pak", Pack({0, 1, 2, 3}, false)});
    seeds.push_back({"pack/levels7-10.pak", Pack({6, 7, 8, 9}, true)});
    seeds.push_back({"pack/header-only.pak", Bytes(kPackFileHeaderSize, 0)});
    seeds.push_back({"pack/empty-level.pak", Bytes(kPackFileHeaderSize + kPackLevelHeaderSize + 16, 0)});
    const LevelList builtin = BuiltinLevelList();
    const std::vector<unsigned char> named = EncodePack(builtin);
    seeds.push_back({"pack/named.pak", Bytes(named.begin(), named.end())});

    seeds.push_back({"text/builtin.txt", TextBytes(FormatLevelText(builtin, "The ten built-in levels"))});
    for (size_t i = 0; i < builtin.size(); ++i)
        seeds.push_back({"text/level" + std::to_string(i + 1) + ".txt", TextBytes(FormatLevelText({builtin[i]}))});
    seeds.push_back({"text/every-form.txt", TextBytes(kEveryForm)});
    for (const auto& [name, bytes] : seeds) {
        if (!Write(dir / name, bytes)) {
            std::fprintf(stderr, "zandrove-fuzz-seeds: cannot write %s\n", (dir / name).c_str());
            return 1;
        }
    }
    return 0;
}
