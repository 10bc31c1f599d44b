#pragma once
// A bomb the player takes out of the inventory: where it goes and its fuse,
// written on command lines as X,Y,FUSE.
#include <cstdint>
#include <string>
#include <vector>

struct BombPlacement {
    int16_t x = 0;  // centre, whole pixels
    int16_t y = 0;
    int fuse = 60;  // frames, before the HUD's limits

    friend bool operator==(const BombPlacement&, const BombPlacement&) = default;
};

// "X,Y,FUSE" with X and Y 16-bit integers and FUSE an int. False with a
// message when the text is anything else.
bool ParseBombPlacement(const std::string& text, BombPlacement& out, std::string& error);

// "--bomb X,Y,FUSE --bomb ..." exactly as the simulator reads them back.
std::string FormatBombOptions(const std::vector<BombPlacement>& bombs);

// A whole decimal integer, optional sign, nothing else, within [low, high].
bool ParseInteger(const std::string& text, long long low, long long high, long long& out);
