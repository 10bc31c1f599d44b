#include "game/assets.h"

#include "game/asset_files.h"
#include "game/drawing.h"
#include "game/media_files.h"

void BitmapHolder::Reset(Picture* b) {
    if (bitmap_) FreePicture(bitmap_);
    bitmap_ = b;
}

namespace {

std::string Size(int w, int h) { return std::to_string(w) + " x " + std::to_string(h); }

// A picture the game copies or cuts must be at least this large, or the copy
// would read pixels that do not exist.
bool CheckSize(const char* file, Picture* b, int w, int h, std::string& error) {
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
Picture* CutFrame(Picture* sheet, int i, int w, int h) {
    Picture* frame = NewPicture(w, h);
    if (frame) CopyPicture(sheet, frame, 0, h * i, 0, 0, w, h);
    return frame;
}

bool LoadSheets(Assets& a, std::string& error) {
    const char* names[4] = {kBitmapFiles[13], kBitmapFiles[14], kBitmapFiles[15], kBitmapFiles[16]};
    Picture* sheets[4] = {};
    auto releaseSheets = [&] {
        for (Picture*& s : sheets) {
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
    // Per frame the three strips in turn, as the game has always cut them.
    for (int i = 0; i < kStripFrames; ++i)
        for (int s = 0; s < 3; ++s) a.strips[s][i] = CutFrame(sheets[s], i, kStripFrameSize, kStripFrameSize);
    for (int i = 0; i < kTimeGlyphCount; ++i) a.timeGlyphs[i] = CutFrame(sheets[3], i, kGlyphWidth, kGlyphHeight);
    releaseSheets();
    for (int i = 0; i < kStripFrames; ++i) {
        if (!a.strips[0][i] || !a.strips[1][i] || !a.strips[2][i]) {
            error = "out of memory cutting the picture strips";
            return false;
        }
    }
    for (Picture* g : a.timeGlyphs) {
        if (!g) {
            error = "out of memory cutting the time glyphs";
            return false;
        }
    }
    return true;
}

// The sample files are in the order of the simulation's sound names.
static_assert(kSampleFileCount == kSoundCount);

bool LoadSamples(Assets& a, std::string& error) {
    for (int i = 0; i < kSampleFileCount; ++i) {
        a.sounds[i] = ReadSound(kSampleFiles[i]);
        if (!a.sounds[i]) {
            error = LoadFailure(kSampleFiles[i]);
            return false;
        }
    }
    return true;
}

bool LoadAll(Assets& b, std::string& error) {
    b.backBuffer.Reset(NewPicture(kScreenWidth, kScreenHeight));
    if (!b.backBuffer.get()) {
        error = "out of memory creating the back buffer";
        return false;
    }
    if (!LoadInto(b.background, kBitmapFiles[0], error)) return false;
    if (!CheckSize(kBitmapFiles[0], b.background.get(), kScreenWidth, kScreenHeight, error)) return false;
    CopyPicture(b.background.get(), b.backBuffer.get(), 0, 0, 0, 0, kScreenWidth, kScreenHeight);

    BitmapHolder* rows[12] = {&b.hud,         &b.cursor,       &b.complete,    &b.block,
                              &b.brick,       &b.slider,       &b.hamsterIdle, &b.hamsterAware,
                              &b.hamsterSpin, &b.hamsterCrater, &b.redBomb,    &b.blueBomb};
    for (int i = 0; i < 12; ++i)
        if (!LoadInto(*rows[i], kBitmapFiles[1 + i], error)) return false;
    b.hudHeight = PictureHeight(b.hud.get());
    return LoadSheets(b, error) && LoadSamples(b, error);
}

void DestroyAndClear(Picture*& b) {
    if (b) FreePicture(b);
    b = nullptr;
}

void DestroyAndClear(Sound*& s) {
    if (s) FreeSound(s);
    s = nullptr;
}

}  // namespace

bool LoadAssets(Assets& bitmaps, std::string& error) {
    if (LoadAll(bitmaps, error)) return true;
    ReleaseAssets(bitmaps);
    return false;
}

void ReleaseAssets(Assets& b) {
    b.hudHeight = kHudHeight;
    BitmapHolder* reverse[] = {&b.blueBomb,    &b.redBomb,      &b.hamsterCrater, &b.hamsterSpin, &b.hamsterAware,
                               &b.hamsterIdle, &b.slider,       &b.brick,         &b.block,       &b.complete,
                               &b.cursor,      &b.hud,          &b.background,    &b.backBuffer};
    for (BitmapHolder* h : reverse) h->Reset();
    for (int i = 0; i < kStripFrames; ++i)
        for (auto& strip : b.strips) DestroyAndClear(strip[i]);
    for (Picture*& g : b.timeGlyphs) DestroyAndClear(g);
    // Explode, the sixteen screams, Huh01, Huh02 and Hiss: their files' order.
    for (Sound*& s : b.sounds) DestroyAndClear(s);
}

bool LoadDesignBar(BitmapHolder& bar, std::string& error) {
    return LoadInto(bar, kDesignBarFile, error) && CheckSize(kDesignBarFile, bar.get(), kScreenWidth, kHudHeight, error);
}
