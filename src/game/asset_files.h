#pragma once
// The 37 files the game reads from its own directory, in loading order, and
// the sizes its drawing relies on. The asset generator writes exactly these.
#include "sim/play_field.h"

constexpr int kBitmapFileCount = 17;
constexpr const char* kBitmapFiles[kBitmapFileCount] = {
    "Background.bmp",   "Hud.bmp",          "Cursor.bmp",        "Complete.bmp", "Block.bmp",
    "Brick.bmp",        "Slider.bmp",       "HamsterIdle.bmp",   "HamsterAware.bmp",
    "HamsterSpin.bmp",  "HamsterCrater.bmp", "RedBomb.bmp",      "BlueBomb.bmp", "Flare.bmp",
    "Dust.bmp",         "Bricks.bmp",       "TimeFont.bmp",
};

// Loaded only by the level designer (zandrove --design), never at the game's start-up.
constexpr const char* kDesignBarFile = "DesignBar.bmp";

constexpr int kSampleFileCount = 20;
constexpr const char* kSampleFiles[kSampleFileCount] = {
    "Explode.wav",  "Scream01.wav", "Scream02.wav", "Scream03.wav", "Scream04.wav",
    "Scream05.wav", "Scream06.wav", "Scream07.wav", "Scream08.wav", "Scream09.wav",
    "Scream10.wav", "Scream11.wav", "Scream12.wav", "Scream13.wav", "Scream14.wav",
    "Scream15.wav", "Scream16.wav", "Huh01.wav",    "Huh02.wav",    "Hiss.wav",
};

constexpr int kStripFrameSize = 16;  // Flare, Dust and Bricks frames are 16 x 16
constexpr int kGlyphWidth = 12;
constexpr int kGlyphHeight = 24;
// The HUD picture's height, which sets where the HUD's top edge lies. The
// live game takes it from the loaded Hud.bmp; a run without assets uses this,
// the height of the picture the asset generator draws.
constexpr int kHudHeight = 82;
