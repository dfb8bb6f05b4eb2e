// A 32-bit top-down device-independent bitmap whose pixels the library
// reads and writes directly.
#pragma once
#include <windows.h>

#include <cstdint>

#include "common/win/scoped.h"

namespace zrv {

// A new w by h bitmap and its pixels, rows top-down; null (and no pixels)
// when it cannot be made.
inline HBITMAP makeDib32(HDC dc, int w, int h, std::uint32_t** pixels) noexcept {
    *pixels = nullptr;
    if (w <= 0 || h <= 0)
        return nullptr;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    zt::ScopedBitmap bmp(CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bmp && !bits)
        return nullptr;
    *pixels = static_cast<std::uint32_t*>(bits);
    return static_cast<HBITMAP>(bmp.release());
}

// The pixels of a bitmap made by makeDib32, if `bmp` is one of w by h.
inline std::uint32_t* dib32Pixels(HBITMAP bmp, int w, int h) noexcept {
    DIBSECTION ds = {};
    if (!bmp || GetObjectType(bmp) != OBJ_BITMAP ||
        GetObjectA(bmp, sizeof ds, &ds) != static_cast<int>(sizeof ds))
        return nullptr;
    // (Not every platform reports a top-down bitmap's height as negative.)
    if (ds.dsBm.bmBitsPixel != 32 || ds.dsBm.bmWidth != w || ds.dsBm.bmHeight != h)
        return nullptr;
    return static_cast<std::uint32_t*>(ds.dsBm.bmBits);
}

} // namespace zrv
