#include "tests/support/win/bitmap_files.h"

#include <algorithm>
#include <cstring>

namespace zt::test {

std::string bitmapFile(int w, int h, COLORREF c, int bpp, bool rle8) {
    const int rows = h < 0 ? -h : h;
    const int stride = (w * bpp + 31) / 32 * 4;
    std::string pixels;
    if (rle8) {
        for (int y = 0; y < rows; ++y) {
            for (int x = 0; x < w; x += 255)
                pixels += {char(std::min(255, w - x)), char(1)};
            pixels += {char(0), char(0)}; // end of line
        }
        pixels += {char(0), char(1)}; // end of bitmap
    } else {
        pixels.assign(static_cast<size_t>(stride) * rows, '\0');
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < w; ++x) {
                char* row = &pixels[static_cast<size_t>(y) * stride];
                if (bpp >= 24) {
                    char* p = row + x * (bpp / 8);
                    p[0] = char(GetBValue(c)), p[1] = char(GetGValue(c)), p[2] = char(GetRValue(c));
                } else {
                    // Palette index 1 in every pixel.
                    const int bit = x * bpp;
                    row[bit / 8] = char(row[bit / 8] | (1 << (8 - bpp - bit % 8)));
                }
            }
    }
    std::string palette;
    if (bpp <= 8) {
        palette.assign(sizeof(RGBQUAD) << bpp, '\0');
        const RGBQUAD q = {GetBValue(c), GetGValue(c), GetRValue(c), 0};
        memcpy(&palette[sizeof q], &q, sizeof q);
    }
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {};
    ih.biSize = sizeof ih;
    ih.biWidth = w;
    ih.biHeight = h;
    ih.biPlanes = 1;
    ih.biBitCount = static_cast<WORD>(bpp);
    ih.biCompression = rle8 ? BI_RLE8 : BI_RGB;
    ih.biSizeImage = static_cast<DWORD>(pixels.size());
    fh.bfType = 0x4D42;
    fh.bfOffBits = static_cast<DWORD>(sizeof fh + sizeof ih + palette.size());
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(pixels.size());
    return std::string(reinterpret_cast<char*>(&fh), sizeof fh) +
           std::string(reinterpret_cast<char*>(&ih), sizeof ih) + palette + pixels;
}

} // namespace zt::test
