// The headers of a bitmap file (".bmp"), read from the file's bytes. Skin
// pictures come from any folder a user names, so nothing here trusts a
// count or an offset before it is checked against the bytes there are.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tessel {

// Where the parts of an uncompressed bitmap file lie: its info header (the
// header and the colour table, as the platform takes them) and its rows.
struct BitmapFileLayout {
    size_t infoOffset = 0;   // the info header, right after the 14-byte file header
    size_t pixelOffset = 0;  // the first row
    size_t pixelBytes = 0;   // all rows, each padded to 4 bytes
    int32_t width = 0;       // pixels
    int32_t height = 0;      // pixels, positive whichever way the rows run
    uint16_t bitsPerPixel = 0;
    uint32_t colours = 0;    // entries in the colour table
};

// True for a file whose pixels can be taken as they stand: the "BM" mark, an
// info header of at least 40 bytes, no compression, one plane, 1, 4, 8, 16,
// 24 or 32 bits a pixel, a size from 1 to 32767 pixels each way, at most 256
// colours, and headers, colour table and every row inside the file. Any other
// file (a compressed one, an old OS/2 header, a short or damaged one) is
// false, with `out` left as it was.
bool uncompressedBitmapLayout(const uint8_t* data, size_t size, BitmapFileLayout& out);

} // namespace tessel
