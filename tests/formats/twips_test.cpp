#include "formats/twips.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(Twips, FifteenAPixelAtNinetySixDpi) {
    EXPECT_EQ(twipsPerPixel(96), 15.0);
    EXPECT_EQ(twipsPerPixel(120), 12.0);
    EXPECT_EQ(twipsToPixels(15000, 96), 1000);
    EXPECT_EQ(twipsToPixels(-45, 96), -3);
    EXPECT_EQ(twipsToPixels(200000, 96), 13333);
    EXPECT_EQ(pixelsToTwips(40, 96), 600.0);
}

// Skin positions are whole pixels of the skin's bitmaps: written by the
// designer at one DPI and read by the bar at another, each lands on the same
// pixel, across the file's whole 16-bit range.
TEST(Twips, SkinPositionsMeanTheSamePixelsAtEveryDpi) {
    for (int pixel = -2184; pixel <= 2184; ++pixel) {
        const double written = pixelsToTwips(pixel, kSkinDpi);
        ASSERT_EQ(written, pixel * 15.0);
        ASSERT_EQ(twipsToPixels(written, kSkinDpi), pixel);
    }
    // Screen-DPI twips would not: 7 pixels at 144 DPI read back at 96 DPI.
    EXPECT_NE(twipsToPixels(pixelsToTwips(7, 144), 96), 7);
}

} // namespace
} // namespace tessel
