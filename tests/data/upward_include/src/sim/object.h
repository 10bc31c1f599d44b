#pragma once
// Deliberately wrong: the layer check must refuse this include.
#include "game/frame.h"
