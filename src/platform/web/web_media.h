#pragma once
// The web build's pictures and sounds: a picture is one of the game's own
// images; a sound is held by the page (Web Audio) and known here by number.
#include "raster/image.h"

struct Picture : Image {
    using Image::Image;
};

struct Sound {
    int id = -1;
};
