#pragma once
// The simulator's pictures: a bitmap as the 24-bit BMP file that Allegro's
// save_bmp writes for it, byte for byte, but written through the project's
// file writer, so that a failed write is reported and never costs the file
// that was there.
#include <string>
#include <vector>

struct BITMAP;

// A bitmap of 15, 16, 24 or 32 bits per pixel as a BMP: the 54-byte header,
// then the rows bottom-up, blue, green, red, each padded to 4 bytes.
std::vector<unsigned char> EncodeBmp(BITMAP* bitmap);

// False with the message ("cannot write 'FILE': REASON") in error.
bool WriteScreenshot(const std::string& path, BITMAP* bitmap, std::string& error);
