#pragma once
// A picture as the 24-bit BMP file that Allegro's save_bmp writes for it,
// byte for byte, to be written through the project's file writer, so that a
// failed write is reported and never costs the file that was there.
#include <vector>

struct Picture;

// A picture of 15, 16, 24 or 32 bits per pixel as a BMP: the 54-byte header,
// then the rows bottom-up, blue, green, red, each padded to 4 bytes.
std::vector<unsigned char> EncodeBmp(Picture* picture);
