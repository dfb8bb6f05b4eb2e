#include "common/win/pictures.h"

#include "common/win/files.h"
#include "formats/bitmap_file.h"

#include <cstring>

namespace tessel {

namespace {

// Null when the data is no uncompressed bitmap file or the bitmap cannot be
// made.
HBITMAP bitmapFromFileData(const std::string& data) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(data.data());
    BitmapFileLayout layout;
    if (!uncompressedBitmapLayout(bytes, data.size(), layout))
        return nullptr;
    // The file's own layout, rows and colour table as they stand.
    const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes + layout.infoOffset);
    void* bits = nullptr;
    zt::ScopedBitmap bmp(CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bmp || !bits)
        return nullptr;
    memcpy(bits, bytes + layout.pixelOffset, layout.pixelBytes);
    return static_cast<HBITMAP>(bmp.release());
}

} // namespace

RunError loadPicture(const std::string& path, zt::ScopedBitmap& into) {
    std::string data;
    if (RunError e = readWholeFile(path, data, kLargestPictureFile); e.failed()) {
        switch (e.number()) {
        case ErrorNumber::FileNotFound:
        case ErrorNumber::PathNotFound:
        case ErrorNumber::OutOfMemory: return e;
        case ErrorNumber::DeviceIoError: break; // the platform's loader may still read it
        default: return RunError::at(ErrorNumber::InvalidPicture, path);
        }
    }
    HBITMAP bmp = bitmapFromFileData(data);
    if (!bmp)
        bmp = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                              LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!bmp)
        return RunError::at(ErrorNumber::InvalidPicture, path);
    into.reset(bmp);
    return {};
}

SIZE bitmapSize(HBITMAP bmp) {
    BITMAP b = {};
    if (!bmp || !GetObjectA(bmp, sizeof b, &b))
        return {0, 0};
    return {b.bmWidth, b.bmHeight < 0 ? -b.bmHeight : b.bmHeight};
}

} // namespace tessel
