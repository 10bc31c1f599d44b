#pragma once
// `zandrove --menu`: the player's edition in the game's window, from its
// title screen until the player quits.
#include "edition/level_sets.h"

struct GameOptions;
struct PlayerSettings;

// Runs in the asset directory, with the sets of levels loaded (at least
// one); returns the exit status.
int RunEdition(const GameOptions& options, const edition::LevelSets& sets, PlayerSettings& settings);
