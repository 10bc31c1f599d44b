#pragma once
// The hamster's colours, shared by its pictures in the game and the menu icon.
#include "image.h"

namespace gen::hamster {

inline const Rgb kOutline{54, 30, 18};
inline const Rgb kFur{226, 150, 66};
inline const Rgb kCream{250, 232, 196};
inline const Rgb kPink{244, 150, 150};
inline const Rgb kEye{20, 14, 16};
inline const Rgb kWhite{255, 255, 255};

}  // namespace gen::hamster
