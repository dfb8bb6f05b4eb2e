// Twips and pixels, and the edge snap that pulls a released window flush to
// the screen edges.
#pragma once

namespace tessel {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr float kBarSnapMargin = 75;     // twips
inline constexpr float kDialogSnapMargin = 375; // twips

// Skin files count 15 twips to a pixel at every screen DPI: the skin's
// bitmaps are shown at their own pixel sizes, so the positions beside them
// must mean the same pixels wherever the file was written and read.
inline constexpr int kSkinDpi = 96;

// 1440 / DPI twips per pixel: 15 at 96 DPI.
double twipsPerPixel(int dpi);
int twipsToPixels(double twips, int dpi);
double pixelsToTwips(int pixels, int dpi);

// Positions and sizes are single-precision, in twips.
struct SnapRect {
    float left, top, width, height;
};

// In this order: left < m gives 0; top < m gives 0; a right edge beyond the
// screen width - m pulls the window back to meet the right edge; the same for
// the bottom. The right and bottom sums are compared in single precision. A
// window wider than the screen ends with a negative left edge.
SnapRect edgeSnap(SnapRect r, float screenWidth, float screenHeight, float margin);

// The same snap against the edges of one monitor (`monitor`: its left, top,
// width and height in twips), for the monitor the window was dropped on.
SnapRect edgeSnapOn(SnapRect r, const SnapRect& monitor, float margin);

} // namespace tessel
