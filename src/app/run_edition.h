#pragma once
// `zandrove --menu`: the player's edition in the game's window, from its
// title screen until the player quits.
#include "packs/pack_model.h"

struct GameOptions;
struct PlayerSettings;

// Runs in the asset directory, with the levels loaded; returns the exit status.
int RunEdition(const GameOptions& options, const LevelList& levels, PlayerSettings& settings);
