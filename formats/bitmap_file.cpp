#include "formats/bitmap_file.h"

namespace tessel {

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kInfoHeaderBytes = 40;
constexpr size_t kColourEntryBytes = 4;
constexpr uint32_t kUncompressed = 0;
constexpr uint32_t kLargestInfoHeader = 1024;
constexpr uint64_t kLargestSide = 32767;
constexpr uint64_t kLargestColourTable = 256;

uint16_t le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

bool knownDepth(uint16_t bpp) {
    return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

} // namespace

bool uncompressedBitmapLayout(const uint8_t* data, size_t size, BitmapFileLayout& out) {
    if (!data || size < kFileHeaderBytes + kInfoHeaderBytes || data[0] != 'B' || data[1] != 'M')
        return false;
    const uint32_t pixelOffset = le32(data + 10);
    const uint8_t* info = data + kFileHeaderBytes;
    const uint32_t infoSize = le32(info);
    const int32_t width = int32_t(le32(info + 4));
    const int32_t height = int32_t(le32(info + 8));
    const uint16_t planes = le16(info + 12);
    const uint16_t bpp = le16(info + 14);
    const uint32_t compression = le32(info + 16);
    const uint32_t coloursUsed = le32(info + 32);

    // A negative height is a file whose rows run top to bottom.
    const uint64_t w = width > 0 ? uint64_t(width) : 0;
    const uint64_t h = height < 0 ? 0 - uint64_t(int64_t(height)) : uint64_t(height);
    if (infoSize < kInfoHeaderBytes || infoSize > kLargestInfoHeader ||
        compression != kUncompressed || planes != 1 || !w || !h || w > kLargestSide ||
        h > kLargestSide || !knownDepth(bpp))
        return false;
    const uint64_t colours = bpp > 8 ? coloursUsed : coloursUsed ? coloursUsed : 1u << bpp;
    const uint64_t stride = (w * bpp + 31) / 32 * 4;
    const uint64_t headers = kFileHeaderBytes + infoSize + colours * kColourEntryBytes;
    if (colours > kLargestColourTable || headers > pixelOffset || pixelOffset > size ||
        stride * h > size - pixelOffset)
        return false;
    out.infoOffset = kFileHeaderBytes;
    out.pixelOffset = pixelOffset;
    out.pixelBytes = size_t(stride * h);
    out.width = int32_t(w);
    out.height = int32_t(h);
    out.bitsPerPixel = bpp;
    out.colours = uint32_t(colours);
    return true;
}

} // namespace tessel
