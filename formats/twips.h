// Twips and pixels for the bar and the designer: positions and sizes are
// computed in twips and shown in pixels.
#pragma once

namespace tessel {

inline constexpr int kTwipsPerInch = 1440;

// Skin files count 15 twips to a pixel at every screen DPI: the skin's
// bitmaps are shown at their own pixel sizes, so the positions beside them
// must mean the same pixels wherever the file was written and read.
inline constexpr int kSkinDpi = 96;

// 1440 / DPI twips per pixel: 15 at 96 DPI.
inline constexpr double twipsPerPixel(int dpi) {
    return dpi > 0 ? double(kTwipsPerInch) / dpi : 15.0;
}
int twipsToPixels(double twips, int dpi);
double pixelsToTwips(int pixels, int dpi);

// The same at the skin's fixed DPI, for everything placed by a skin.
inline int skinTwipsToPixels(double twips) { return twipsToPixels(twips, kSkinDpi); }
inline double skinPixelsToTwips(int pixels) { return pixelsToTwips(pixels, kSkinDpi); }

// A rectangle in twips, as both programs compute with it. The skin settings
// file stores whole 16-bit twips (SkinRect); the conversion happens where the
// file is read and written.
struct TwipRect {
    double left = 0, top = 0, width = 0, height = 0;
};

} // namespace tessel
