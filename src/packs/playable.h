#pragma once
// Whether the levels a player hands over (a pack file, a link) are played,
// or refused with one line while the game goes on with what it had.
#include <string>

#include "packs/pack_model.h"
#include "packs/pack_reader.h"

enum class PackRule {
    // Refused only when no complete level is in it: the native game plays
    // every pack the game's reading gets a level from, as it always has.
    Complete,
    // Also refused for any of the checker's errors: the page plays packs
    // and links anyone may send, and junk that happens to hold complete
    // levels (random bytes do) must not be played as a level.
    Checked,
};

// False, with the reason in one line, when the pack is refused.
bool PlayablePack(const PackFile& pack, PackRule rule, std::string& why);
bool PlayableLevels(const LevelList& levels, PackRule rule, std::string& why);
