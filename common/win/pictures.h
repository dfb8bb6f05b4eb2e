// Skin pictures: bitmap files made into bitmaps.
#pragma once
#include <windows.h>

#include "common/win/scoped.h"
#include "formats/run_error.h"

#include <cstddef>
#include <string>

namespace tessel {

// No picture of a bar is anywhere near this size.
inline constexpr size_t kLargestPictureFile = 64u << 20;

// A bitmap file as a bitmap whose pixels this program holds: 53 when it is
// not there, 76 when its folder is not, 7 when the memory left cannot hold
// it, 481 when it cannot be read as a picture. An uncompressed file is made
// into a bitmap from one read of the file (the platform's loader maps the
// file and costs several times as long); any other kind is left to the
// platform.
RunError loadPicture(const std::string& path, zt::ScopedBitmap& into);

// Width and height in pixels; 0 by 0 for no bitmap.
SIZE bitmapSize(HBITMAP bmp);

} // namespace tessel
