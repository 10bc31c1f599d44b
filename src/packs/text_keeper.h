#pragma once
// Edited levels printed back into the level text they were read from, as a
// person keeps such a text (in version control, say): every comment and
// blank line stays; a level that did not change keeps its lines byte for
// byte, and a changed one the lines before and after its change, with only
// the change printed as FormatLevelText prints, in its place.
#include <string>
#include <string_view>
#include <vector>

#include "packs/pack_model.h"

// was: the text as read; wasLevels: its levels as ParseLevelText gave them
// (with their lines). from[i]: the index in wasLevels of the level that
// levels[i] was edited from, or -1 for a level the text did not have. A
// level of the text that none comes from is left out, with its lines.
std::string FormatKeepingText(std::string_view was, const LevelList& wasLevels, const LevelList& levels,
                              const std::vector<int>& from);
