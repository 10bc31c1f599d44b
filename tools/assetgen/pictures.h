#pragma once
// Every picture of the game, painted in code.
#include "image.h"

namespace gen {

// Opaque, copied with blit.
Image MakeBackground();
Image MakeHud();
// The designer's bar, loaded only by the designer.
Image MakeDesignBar();

// Sprites: unpainted pixels become the mask colour.
Image MakeCursor();
Image MakeComplete();
Image MakeBlock();
Image MakeBrick();
Image MakeSlider();
Image MakeHamsterIdle();
Image MakeHamsterAware();
Image MakeHamsterSpin();
Image MakeHamsterCrater();
Image MakeRedBomb();
Image MakeBlueBomb();

// Sheets of frames stacked downwards.
Image MakeFlareSheet();
Image MakeDustSheet();
Image MakeBricksSheet();
Image MakeTimeFont();

// The desktop's icon for the game, size x size, transparent around its tile.
// Not loaded by the game.
Image MakeIcon(int size);

}  // namespace gen
