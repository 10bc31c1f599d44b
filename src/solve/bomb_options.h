#pragma once
// Placements written on command lines as X,Y,FUSE, one per inventory slot in
// slot order.
#include <string>
#include <vector>

#include "sim/placement.h"

// "X,Y,FUSE" with X and Y 16-bit integers and FUSE an int, for slot. False
// with a message when the text is anything else.
bool ParseBombPlacement(const std::string& text, int slot, BombPlacement& out, std::string& error);

// "--bomb X,Y,FUSE --bomb ..." exactly as the simulator reads them back.
std::string FormatBombOptions(const std::vector<BombPlacement>& bombs);

// A whole decimal integer, optional sign, nothing else, within [low, high].
bool ParseInteger(const std::string& text, long long low, long long high, long long& out);
