#pragma once
// Two ways to draw the same picture on Allegro's 16-bit memory bitmaps, and
// how far apart the results are.
#include <allegro.h>

#include <cstdint>
#include <vector>

#include "game/drawing.h"
#include "game/sprite_drawing.h"

// Allegro's own calls everywhere, or the game's own drawing everywhere (the
// portable sprite loop, the one the web build has).
inline void DrawEverythingWith(Drawer drawer) {
    UseDrawer(drawer);
    SetFastestSpriteLoop(drawer == Drawer::Allegro ? SpriteLoop::Allegro : SpriteLoop::Portable);
}

inline std::vector<uint16_t> PixelsOf(BITMAP* b) {
    std::vector<uint16_t> out;
    out.reserve(static_cast<size_t>(b->w) * static_cast<size_t>(b->h));
    for (int y = 0; y < b->h; ++y) {
        const auto* row = reinterpret_cast<const uint16_t*>(b->line[y]);
        out.insert(out.end(), row, row + b->w);
    }
    return out;
}

inline int Differing(const std::vector<uint16_t>& a, const std::vector<uint16_t>& b) {
    if (a.size() != b.size()) return -1;
    int n = 0;
    for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
    return n;
}

// A turned sprite may differ from Allegro's in a few pixels whose sample
// point lies within a hair of the line between two sprite pixels: Allegro's
// own arithmetic rounds those its own way (seen: at most 3 a sprite).
constexpr int kTurnedSpriteSlack = 3;
