#include "bar/geometry.h"

#include <cmath>

namespace tessel {

double twipsPerPixel(int dpi) { return dpi > 0 ? double(kTwipsPerInch) / dpi : 15.0; }

int twipsToPixels(double twips, int dpi) {
    return static_cast<int>(std::lround(twips / twipsPerPixel(dpi)));
}

double pixelsToTwips(int pixels, int dpi) { return pixels * twipsPerPixel(dpi); }

SnapRect edgeSnap(SnapRect r, float screenWidth, float screenHeight, float m) {
    if (r.left < m)
        r.left = 0;
    if (r.top < m)
        r.top = 0;
    volatile float right = r.left + r.width; // volatile: keep the single-precision rounding
    volatile float limitX = screenWidth - m;
    if (right > limitX)
        r.left = screenWidth - r.width;
    volatile float bottom = r.top + r.height;
    volatile float limitY = screenHeight - m;
    if (bottom > limitY)
        r.top = screenHeight - r.height;
    return r;
}

SnapRect edgeSnapOn(SnapRect r, const SnapRect& monitor, float margin) {
    r.left -= monitor.left;
    r.top -= monitor.top;
    r = edgeSnap(r, monitor.width, monitor.height, margin);
    r.left += monitor.left;
    r.top += monitor.top;
    return r;
}

} // namespace tessel
