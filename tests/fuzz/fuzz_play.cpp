#include "fuzz_play.h"

#include <cstdlib>

#include "failure.h"
#include "input_file.h"
#include "packs/level_table.h"
#include "sim/sim_state.h"
#include "sim/world.h"
#include "sim/bomb.h"
#include "sim/frame_globals.h"
#include "game/hud_controls.h"
#include "game/input.h"
#include "game/keys.h"
#include "game/frame_io.h"
#include "game/frame_loop.h"
#include "game/game_flow.h"
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
    void Present(BITMAP*) override {}

private:
    const uint8_t* header_;
    int next_ = 0;
    bool space_ = false;
};

// Takes bombs out of the inventory the way the HUD does.
void PlaceBombs(const uint8_t* header) {
    const int wanted = header[0] % (kFuzzBombs + 1);
    for (int k = 0; k < wanted && k < static_cast<int>(BombList.size()); ++k) {
        const uint8_t* p = header + 1 + 6 * k;
        PlaceInventoryBomb(k, Le16(p), Le16(p + 2), Le16(p + 4));
    }
}

// One level: scripted edit-mode frames, a Space press if still editing, then
// run mode until the level ends or the frame cap.
void PlayLevel(const ShellBitmaps& bitmaps, bool drawing, const LevelRecord* records, const uint8_t* header) {
    ShellState state;
    state.drawing = drawing;
    StartLevel(state, records);
    PlaceBombs(header);
    CheckWorld(records);
    HeaderIo io(header);
    int frame = 0;
    bool goOn = true;
    for (; goOn && frame < io.InputFrames(); ++frame) goOn = RunFrame(state, bitmaps, io);
    if (goOn && EditMode) {
        io.HoldSpace(true);
        goOn = RunFrame(state, bitmaps, io);
        io.HoldSpace(false);
        ++frame;
    }
    for (; goOn && frame < kFuzzFramesPerLevel; ++frame) goOn = RunFrame(state, bitmaps, io);
    CheckWorld(records);
    EndLevel(state);
}

size_t RecordCount(const LevelRecord* records) {
    size_t n = 1;
    while (records[n - 1].type != REC_END) ++n;
    return n;
}

}  // namespace

void PlayPackFile(InputFile& file, const ShellBitmaps& bitmaps, bool drawing, const uint8_t* data, size_t size) {
    if (!file.Write(data, size)) FuzzFailure("cannot write the input file");
    if (!LoadLevelPack(file.Path().c_str())) FuzzFailure("the game refused the input file");
    // Every input starts from the same state, so a crash replays from its input alone.
    std::srand(1);
    ResetSimulation();
    HissPlaying = false;

    size_t offset = kPackFileHeaderSize;
    for (int i = 0; i < LevelCount && i < kFuzzLevelsPerInput; ++i) {
        const LevelRecord* records = LevelTable[i];
        // The reader keeps a level only once its header and terminator were read.
        if (offset + kPackLevelHeaderSize > size) FuzzFailure("a level read beyond the end of the pack");
        PlayLevel(bitmaps, drawing, records, data + offset);
        offset += kPackLevelHeaderSize + RecordCount(records) * sizeof(LevelRecord);
    }
    StopHiss();
    // What the levels built is freed within the input: libFuzzer looks for
    // leaks whenever an input ends with more allocations than frees.
    ResetSimulation();
    FreeLevelPack();
}
