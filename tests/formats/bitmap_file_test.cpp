#include "formats/bitmap_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace tessel {
namespace {

// A bitmap file as a painting program writes it; each case then spoils or
// changes one field.
struct Bmp {
    int32_t width = 3;
    int32_t height = 2;
    uint16_t bpp = 24;
    uint32_t coloursUsed = 0;
    uint32_t compression = 0;
    uint16_t planes = 1;
    uint32_t infoSize = 40;
    int pixelOffsetShift = 0; // added to the true offset of the rows
    int rowBytesShort = 0;    // bytes cut from the end of the rows

    size_t tableEntries() const {
        return bpp <= 8 && !coloursUsed ? size_t(1) << bpp : coloursUsed;
    }
    size_t stride() const { return (size_t(width > 0 ? width : 0) * bpp + 31) / 32 * 4; }
    size_t rows() const { return size_t(height < 0 ? -int64_t(height) : height); }

    std::vector<uint8_t> bytes() const {
        std::vector<uint8_t> b;
        auto put = [&b](uint64_t v, int n) {
            for (int i = 0; i < n; ++i)
                b.push_back(uint8_t(v >> (8 * i)));
        };
        const size_t offset = 14 + infoSize + 4 * tableEntries();
        const size_t pixels = stride() * rows();
        b.push_back('B');
        b.push_back('M');
        put(offset + pixels, 4);
        put(0, 4);
        put(uint32_t(int64_t(offset) + pixelOffsetShift), 4);
        put(infoSize, 4);
        put(uint32_t(width), 4);
        put(uint32_t(height), 4);
        put(planes, 2);
        put(bpp, 2);
        put(compression, 4);
        put(pixels, 4);
        put(2835, 4);
        put(2835, 4);
        put(coloursUsed, 4);
        put(0, 4);
        b.resize(14 + infoSize, 0);
        // Sizes past any real picture get a token of rows: they fail on their size.
        const size_t written = pixels > (1u << 20) ? 16 : pixels - size_t(rowBytesShort);
        b.resize(offset + written, 0x5A);
        return b;
    }
};

TEST(BitmapFile, TakesUncompressedFilesAsTheyStand) {
    struct Case {
        const char* what;
        Bmp bmp;
        size_t pixelOffset, pixelBytes;
        uint32_t colours;
    };
    auto with = [](auto change) {
        Bmp b;
        change(b);
        return b;
    };
    const Case cases[] = {
        {"24 bits, rows padded to 12 bytes", Bmp{}, 54, 24, 0},
        {"8 bits, full colour table", with([](Bmp& b) { b.bpp = 8; }), 54 + 1024, 8, 256},
        {"8 bits, 16 colours used", with([](Bmp& b) { b.bpp = 8, b.coloursUsed = 16; }),
         54 + 64, 8, 16},
        {"1 bit, 9 wide", with([](Bmp& b) { b.bpp = 1, b.width = 9; }), 54 + 8, 8, 2},
        {"4 bits", with([](Bmp& b) { b.bpp = 4; }), 54 + 64, 8, 16},
        {"16 bits", with([](Bmp& b) { b.bpp = 16; }), 54, 16, 0},
        {"32 bits, top-down rows", with([](Bmp& b) { b.bpp = 32, b.height = -2; }), 54, 24, 0},
        {"larger info header", with([](Bmp& b) { b.infoSize = 124; }), 14 + 124, 24, 0},
        {"gap before the rows", with([](Bmp& b) { b.pixelOffsetShift = 10; }), 64, 24, 0},
        {"largest side", with([](Bmp& b) { b.width = 32767, b.height = 1, b.bpp = 1; }), 54 + 8,
         4096, 2},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> data = c.bmp.bytes();
        if (c.bmp.pixelOffsetShift > 0)
            data.resize(data.size() + size_t(c.bmp.pixelOffsetShift), 0);
        BitmapFileLayout l;
        ASSERT_TRUE(uncompressedBitmapLayout(data.data(), data.size(), l)) << c.what;
        EXPECT_EQ(l.infoOffset, 14u) << c.what;
        EXPECT_EQ(l.pixelOffset, c.pixelOffset) << c.what;
        EXPECT_EQ(l.pixelBytes, c.pixelBytes) << c.what;
        EXPECT_EQ(l.colours, c.colours) << c.what;
        EXPECT_EQ(l.width, c.bmp.width) << c.what;
        EXPECT_EQ(l.height, int32_t(c.bmp.rows())) << c.what;
        EXPECT_EQ(l.bitsPerPixel, c.bmp.bpp) << c.what;
    }
}

TEST(BitmapFile, LeavesEverythingElseToThePlatform) {
    struct Case {
        const char* what;
        void (*change)(Bmp&);
    };
    static constexpr Case cases[] = {
        {"run-length compressed", [](Bmp& b) { b.compression = 1; }},
        {"two planes", [](Bmp& b) { b.planes = 2; }},
        {"old 12-byte header", [](Bmp& b) { b.infoSize = 12; }},
        {"info header past 1024 bytes", [](Bmp& b) { b.infoSize = 1028; }},
        {"no width", [](Bmp& b) { b.width = 0; }},
        {"negative width", [](Bmp& b) { b.width = -3; }},
        {"no height", [](Bmp& b) { b.height = 0; }},
        {"wider than 32767", [](Bmp& b) { b.width = 32768, b.bpp = 1, b.height = 1; }},
        {"taller than 32767", [](Bmp& b) { b.height = 32768, b.bpp = 1, b.width = 1; }},
        {"12 bits a pixel", [](Bmp& b) { b.bpp = 12; }},
        {"over 256 colours", [](Bmp& b) { b.bpp = 8, b.coloursUsed = 257; }},
        {"rows start inside the colour table", [](Bmp& b) { b.bpp = 8, b.pixelOffsetShift = -4; }},
        {"rows start past the end", [](Bmp& b) { b.pixelOffsetShift = 1000; }},
        {"last row cut short", [](Bmp& b) { b.rowBytesShort = 1; }},
        {"most negative height", [](Bmp& b) { b.height = INT32_MIN; }},
    };
    for (const auto& c : cases) {
        Bmp b;
        c.change(b);
        const std::vector<uint8_t> data = b.bytes();
        BitmapFileLayout l;
        l.pixelOffset = 77;
        EXPECT_FALSE(uncompressedBitmapLayout(data.data(), data.size(), l)) << c.what;
        EXPECT_EQ(l.pixelOffset, 77u) << c.what << ": the layout was changed";
    }
}

TEST(BitmapFile, ShortOrUnmarkedInputs) {
    const std::vector<uint8_t> whole = Bmp{}.bytes();
    BitmapFileLayout l;
    for (size_t n = 0; n < 54; ++n)
        EXPECT_FALSE(uncompressedBitmapLayout(whole.data(), n, l)) << n << " bytes";
    EXPECT_FALSE(uncompressedBitmapLayout(nullptr, 0, l));
    std::vector<uint8_t> unmarked = whole;
    unmarked[1] = 'A';
    EXPECT_FALSE(uncompressedBitmapLayout(unmarked.data(), unmarked.size(), l));
}

} // namespace
} // namespace tessel
