#include "fuzz_play.h"

#include <cstdlib>

#include "failure.h"
#include "game/frame_io.h"
#include "game/frame_loop.h"
#include "game/game_flow.h"
#include "game/input.h"
#include "game/keys.h"
#include "input_file.h"
#include "packs/pack_reader.h"
#include "sim/placement.h"
#include "sim/world.h"
#include "world_check.h"

namespace {

int16_t Le16(const uint8_t* b) { return static_cast<int16_t>(static_cast<uint16_t>(b[0] | (b[1] << 8))); }

// Edit-mode input from a level header, then Space once to run, then nothing.
class HeaderIo : public FrameIo {
public:
    explicit HeaderIo(const uint8_t* header) : header_(header) {}

    int InputFrames() const { return header_[31] % (kFuzzInputFrames + 1); }
    void HoldSpace(bool held) { space_ = held; }

    void Sample(InputSample& s) override {
        if (next_ < InputFrames()) {
            const uint8_t* f = header_ + 32 + 6 * next_;
            s.mouseX = Le16(f);
            s.mouseY = Le16(f + 2);
            s.buttons = f[4] & (kLeftButton | kRightButton);
            if (f[5] != 0) s.keys[f[5] % kKeyCount] = true;
            ++next_;
        } else {
            s.buttons = 0;
        }
        if (space_) s.keys[kKeySpace] = true;
    }
    void Present(Picture*) override {}

private:
    const uint8_t* header_;
    int next_ = 0;
    bool space_ = false;
};

// Takes bombs out of the inventory the way the HUD does.
void PlaceBombs(World& world, const uint8_t* header) {
    const int wanted = header[0] % (kFuzzBombs + 1);
    for (int k = 0; k < wanted && k < static_cast<int>(world.BombList.size()); ++k) {
        const uint8_t* p = header + 1 + 6 * k;
        Place(world, {k, Le16(p), Le16(p + 2), Le16(p + 4)});
    }
}

// The world and a copy of it: both whole, and the copy a world of its own.
void CheckWorldAndCopy(const World& world, const LevelRecord* records) {
    CheckWorld(world, records);
    const World copy = world;
    CheckWorld(copy, records);
    for (size_t i = 0; i < copy.ObjectList.size(); ++i)
        if (copy.ObjectList[i] == world.ObjectList[i]) FuzzFailure("a copied world shares an object with the original");
}

// One level: scripted edit-mode frames, a Space press if still editing, then
// run mode until the level ends or the frame cap.
void PlayLevel(GameState& state, const Assets& bitmaps, bool drawing, const LevelRecord* records,
               const uint8_t* header) {
    state.drawing = drawing;
    StartLevel(state, records);
    PlaceBombs(state.world, header);
    CheckWorldAndCopy(state.world, records);
    HeaderIo io(header);
    int frame = 0;
    bool goOn = true;
    for (; goOn && frame < io.InputFrames(); ++frame) goOn = RunFrame(state, bitmaps, io);
    if (goOn && state.world.EditMode) {
        io.HoldSpace(true);
        goOn = RunFrame(state, bitmaps, io);
        io.HoldSpace(false);
        ++frame;
    }
    for (; goOn && frame < kFuzzFramesPerLevel; ++frame) goOn = RunFrame(state, bitmaps, io);
    CheckWorldAndCopy(state.world, records);
    StopHiss(state, bitmaps, io);
    EndLevel(state);
}

size_t RecordCount(const LevelRecord* records) {
    size_t n = 1;
    while (records[n - 1].type != REC_END) ++n;
    return n;
}

}  // namespace

void PlayPackFile(InputFile& file, const Assets& bitmaps, bool drawing, const uint8_t* data, size_t size) {
    if (!file.Write(data, size)) FuzzFailure("cannot write the input file");
    PackFile pack;
    std::string error;
    if (!ReadPackFile(file.Path(), pack, error)) FuzzFailure("the game refused the input file");
    // Every input plays on a world of its own, so a crash replays from its input alone.
    GameState state;

    size_t offset = kPackFileHeaderSize;
    for (size_t i = 0; i < pack.levels.size() && i < kFuzzLevelsPerInput; ++i) {
        const LevelRecord* records = pack.levels[i].records.data();
        // The reader keeps a level only once its header and terminator were read.
        if (offset + kPackLevelHeaderSize > size) FuzzFailure("a level read beyond the end of the pack");
        PlayLevel(state, bitmaps, drawing, records, data + offset);
        offset += kPackLevelHeaderSize + RecordCount(records) * sizeof(LevelRecord);
    }
}
