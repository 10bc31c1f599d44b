#pragma once
// The game's pictures and sounds, loaded once at start-up and read-only
// afterwards: the back buffer and the bitmaps, each owned by a holder, the
// frames cut from the four sheets, and the samples, each kept by the
// simulation's name for it.
#include <string>

#include "game/asset_files.h"
#include "sim/particles.h"
#include "sim/sounds.h"

// What a platform keeps a picture or a sound as (Allegro's bitmaps and
// samples natively, the page's own on the web): only the platform's files
// look inside.
struct Picture;
struct Sound;

class BitmapHolder {
public:
    BitmapHolder() = default;
    BitmapHolder(const BitmapHolder&) = delete;
    BitmapHolder& operator=(const BitmapHolder&) = delete;
    ~BitmapHolder() { Reset(); }

    // Releases the held picture, if any, and takes b.
    void Reset(Picture* b = nullptr);
    Picture* get() const { return bitmap_; }

private:
    Picture* bitmap_ = nullptr;
};

constexpr int kTimeGlyphCount = 14;

// Holders in creation order; C++ destroys them in reverse, which is the
// release order at shutdown (BlueBomb first, backBuffer last).
struct Assets {
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

    // Cut from the sheets, owned here and released explicitly.
    Picture* strips[3][kStripFrames] = {};  // by Strip: flare, dust, brick fragments
    Picture* timeGlyphs[kTimeGlyphCount] = {};
    Sound* sounds[kSoundCount] = {};  // by SoundId

    Picture* StripPicture(Strip strip, int i) const { return strips[static_cast<int>(strip)][i]; }
    Sound* SoundFor(SoundId id) const { return sounds[static_cast<int>(id)]; }
    // Loaded: the frame has something to draw with.
    bool Loaded() const { return backBuffer.get() != nullptr; }
};

// Creates backBuffer and loads every bitmap and sample from the working
// directory, cutting the strips and glyphs, in the game's loading order.
// Needs the platform started and the colour depth chosen. On failure
// returns false with error naming the file; everything loaded so far is
// released.
bool LoadAssets(Assets& assets, std::string& error);

// Releases the holders' pictures, then the cut frames and glyphs, then the
// samples. Safe on a partly loaded set.
void ReleaseAssets(Assets& assets);

// The level designer's bar (DesignBar.bmp, as wide as the screen and as tall
// as the HUD), which the game itself never loads.
bool LoadDesignBar(BitmapHolder& bar, std::string& error);
