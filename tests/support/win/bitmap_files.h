// Bitmap files of one colour, for the tests that give the programs skins.
#pragma once
#include <windows.h>

#include <string>

namespace zt::test {

// A bitmap file of one colour. `bpp` 1, 4 or 8 holds the colour in its
// palette (as entry 1); `rle8` compresses an 8-bit one; a negative height is
// stored top-down.
std::string bitmapFile(int w, int h, COLORREF c, int bpp = 24, bool rle8 = false);

} // namespace zt::test
