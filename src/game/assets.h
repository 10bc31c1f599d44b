#pragma once
// The game shell's pictures: the back buffer and the bitmaps loaded with
// load_bitmap, each owned by a holder. The shared handles of
// asset_handles.h are plain copies of some of them.
#include <string>

#include "game/asset_files.h"

struct BITMAP;

class BitmapHolder {
public:
    BitmapHolder() = default;
    BitmapHolder(const BitmapHolder&) = delete;
    BitmapHolder& operator=(const BitmapHolder&) = delete;
    ~BitmapHolder() { Reset(); }

    // Releases the held bitmap, if any, and takes b.
    void Reset(BITMAP* b = nullptr);
    BITMAP* get() const { return bitmap_; }

private:
    BITMAP* bitmap_ = nullptr;
};

// Members in creation order; C++ destroys them in reverse, which is the
// release order at shutdown (BlueBomb first, backBuffer last).
struct ShellBitmaps {
    // Hud.bmp's height once loaded; a run without assets never loads it.
    int hudHeight = kHudHeight;
    BitmapHolder backBuffer;
    BitmapHolder background;
    BitmapHolder hud;
    BitmapHolder cursor;
    BitmapHolder complete;
    BitmapHolder block;
    BitmapHolder brick;
    BitmapHolder slider;
    BitmapHolder hamsterIdle;
    BitmapHolder hamsterAware;
    BitmapHolder hamsterSpin;
    BitmapHolder hamsterCrater;
    BitmapHolder redBomb;
    BitmapHolder blueBomb;
};

// Creates backBuffer and loads every bitmap and sample from the working
// directory, cutting the strips and glyphs, in the game's loading order.
// Needs Allegro initialised and the colour depth chosen. On failure returns
// false with error naming the file; everything loaded so far is released.
bool LoadAssets(ShellBitmaps& bitmaps, std::string& error);

// Releases the shell's bitmaps, then the cut frames and glyphs, then the
// samples, and clears the shared handles. Safe on a partly loaded set.
void ReleaseAssets(ShellBitmaps& bitmaps);

// The level designer's bar (DesignBar.bmp, as wide as the screen and as tall
// as the HUD), which the game itself never loads.
bool LoadDesignBar(BitmapHolder& bar, std::string& error);
