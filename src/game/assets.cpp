#include "game/assets.h"

#include "sim/asset_handles.h"
#include "game/drawing.h"
#include "game/asset_files.h"
#include "game/media_files.h"

void BitmapHolder::Reset(BITMAP* b) {
    if (bitmap_) FreePicture(bitmap_);
    bitmap_ = b;
}

namespace {

std::string Size(int w, int h) { return std::to_string(w) + " x " + std::to_string(h); }

// A picture the game copies or cuts must be at least this large, or the copy
// would read pixels that do not exist.
bool CheckSize(const char* file, BITMAP* b, int w, int h, std::string& error) {
    if (PictureWidth(b) >= w && PictureHeight(b) >= h) return true;
    error = std::string("asset \"") + file + "\" is " + Size(PictureWidth(b), PictureHeight(b)) + " pixels; the game needs at least " +
            Size(w, h);
    return false;
}

std::string LoadFailure(const char* file) {
    return std::string("cannot load asset \"") + file + "\": missing or not a readable file of its kind";
}

// Loads one bitmap into a holder; row 0 of the catalogue is the background.
bool LoadInto(BitmapHolder& holder, const char* file, std::string& error) {
    holder.Reset(ReadPicture(file));
    if (holder.get()) return true;
    error = LoadFailure(file);
    return false;
}

// Cuts frame i of a vertically stacked sheet into its own bitmap.
BITMAP* CutFrame(BITMAP* sheet, int i, int w, int h) {
    BITMAP* frame = NewPicture(w, h);
    if (frame) CopyPicture(sheet, frame, 0, h * i, 0, 0, w, h);
    return frame;
}

bool LoadSheets(std::string& error) {
    const char* names[4] = {kBitmapFiles[13], kBitmapFiles[14], kBitmapFiles[15], kBitmapFiles[16]};
    BITMAP* sheets[4] = {};
    auto releaseSheets = [&] {
        for (BITMAP*& s : sheets) {
            if (s) FreePicture(s);
            s = nullptr;
        }
    };
    for (int s = 0; s < 4; ++s) {
        sheets[s] = ReadPicture(names[s]);
        if (!sheets[s]) {
            error = LoadFailure(names[s]);
            releaseSheets();
            return false;
        }
    }
    for (int s = 0; s < 3; ++s) {
        if (!CheckSize(names[s], sheets[s], kStripFrameSize, kStripFrameSize * kStripFrames, error)) {
            releaseSheets();
            return false;
        }
    }
    if (!CheckSize(names[3], sheets[3], kGlyphWidth, kGlyphHeight * kTimeGlyphCount, error)) {
        releaseSheets();
        return false;
    }
    for (int i = 0; i < kStripFrames; ++i) {
        FlareFrames[i] = CutFrame(sheets[0], i, kStripFrameSize, kStripFrameSize);
        DustFrames[i] = CutFrame(sheets[1], i, kStripFrameSize, kStripFrameSize);
        BrickFrames[i] = CutFrame(sheets[2], i, kStripFrameSize, kStripFrameSize);
    }
    for (int i = 0; i < kTimeGlyphCount; ++i) TimeGlyphs[i] = CutFrame(sheets[3], i, kGlyphWidth, kGlyphHeight);
    releaseSheets();
    for (int i = 0; i < kStripFrames; ++i) {
        if (!FlareFrames[i] || !DustFrames[i] || !BrickFrames[i]) {
            error = "out of memory cutting the picture strips";
            return false;
        }
    }
    for (BITMAP* g : TimeGlyphs) {
        if (!g) {
            error = "out of memory cutting the time glyphs";
            return false;
        }
    }
    return true;
}

bool LoadSamples(std::string& error) {
    SAMPLE** slots[kSampleFileCount] = {&ExplodeSample};
    for (int i = 0; i < kScreamCount; ++i) slots[1 + i] = &ScreamSamples[i];
    slots[17] = &Huh01Sample;
    slots[18] = &Huh02Sample;
    slots[19] = &HissSample;
    for (int i = 0; i < kSampleFileCount; ++i) {
        *slots[i] = ReadSound(kSampleFiles[i]);
        if (!*slots[i]) {
            error = LoadFailure(kSampleFiles[i]);
            return false;
        }
    }
    return true;
}

bool LoadAll(ShellBitmaps& b, std::string& error) {
    b.backBuffer.Reset(NewPicture(kScreenWidth, kScreenHeight));
    if (!b.backBuffer.get()) {
        error = "out of memory creating the back buffer";
        return false;
    }
    if (!LoadInto(b.background, kBitmapFiles[0], error)) return false;
    if (!CheckSize(kBitmapFiles[0], b.background.get(), kScreenWidth, kScreenHeight, error)) return false;
    CopyPicture(b.background.get(), b.backBuffer.get(), 0, 0, 0, 0, kScreenWidth, kScreenHeight);

    struct Row {
        BitmapHolder* holder;
        BITMAP** shared;
    };
    const Row rows[12] = {
        {&b.hud, nullptr},         {&b.cursor, nullptr},
        {&b.complete, nullptr},    {&b.block, &BlockBitmap},
        {&b.brick, &BrickBitmap},  {&b.slider, nullptr},
        {&b.hamsterIdle, &HamsterIdleBitmap},     {&b.hamsterAware, &HamsterAwareBitmap},
        {&b.hamsterSpin, &HamsterSpinBitmap},     {&b.hamsterCrater, &HamsterCraterBitmap},
        {&b.redBomb, &RedBombBitmap},             {&b.blueBomb, &BlueBombBitmap},
    };
    for (int i = 0; i < 12; ++i) {
        if (!LoadInto(*rows[i].holder, kBitmapFiles[1 + i], error)) return false;
        if (rows[i].shared) *rows[i].shared = rows[i].holder->get();
    }
    b.hudHeight = PictureHeight(b.hud.get());
    return LoadSheets(error) && LoadSamples(error);
}

void ClearSharedBitmaps() {
    BlockBitmap = BrickBitmap = RedBombBitmap = BlueBombBitmap = nullptr;
    HamsterIdleBitmap = HamsterAwareBitmap = HamsterSpinBitmap = HamsterCraterBitmap = nullptr;
}

void DestroyAndClear(BITMAP*& b) {
    if (b) FreePicture(b);
    b = nullptr;
}

void DestroyAndClear(SAMPLE*& s) {
    if (s) FreeSound(s);
    s = nullptr;
}

}  // namespace

bool LoadAssets(ShellBitmaps& bitmaps, std::string& error) {
    if (LoadAll(bitmaps, error)) return true;
    ReleaseAssets(bitmaps);
    return false;
}

void ReleaseAssets(ShellBitmaps& b) {
    ClearSharedBitmaps();
    b.hudHeight = kHudHeight;
    BitmapHolder* reverse[] = {&b.blueBomb,    &b.redBomb,      &b.hamsterCrater, &b.hamsterSpin, &b.hamsterAware,
                               &b.hamsterIdle, &b.slider,       &b.brick,         &b.block,       &b.complete,
                               &b.cursor,      &b.hud,          &b.background,    &b.backBuffer};
    for (BitmapHolder* h : reverse) h->Reset();
    for (int i = 0; i < kStripFrames; ++i) {
        DestroyAndClear(FlareFrames[i]);
        DestroyAndClear(DustFrames[i]);
        DestroyAndClear(BrickFrames[i]);
    }
    for (BITMAP*& g : TimeGlyphs) DestroyAndClear(g);
    DestroyAndClear(ExplodeSample);
    for (SAMPLE*& s : ScreamSamples) DestroyAndClear(s);
    DestroyAndClear(Huh01Sample);
    DestroyAndClear(Huh02Sample);
    DestroyAndClear(HissSample);
}

bool LoadDesignBar(BitmapHolder& bar, std::string& error) {
    return LoadInto(bar, kDesignBarFile, error) && CheckSize(kDesignBarFile, bar.get(), kScreenWidth, kHudHeight, error);
}
