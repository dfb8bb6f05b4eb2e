#include "bar/geometry.h"

namespace tessel {

namespace {

struct FloatRect {
    float left, top, width, height;
};

FloatRect toFloat(const TwipRect& r) {
    return {float(r.left), float(r.top), float(r.width), float(r.height)};
}

TwipRect fromFloat(const FloatRect& r) { return {r.left, r.top, r.width, r.height}; }

FloatRect snap(FloatRect r, float screenWidth, float screenHeight, float m) {
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

} // namespace

TwipRect edgeSnap(TwipRect r, float screenWidth, float screenHeight, float m) {
    return fromFloat(snap(toFloat(r), screenWidth, screenHeight, m));
}

TwipRect edgeSnapOn(TwipRect rect, const TwipRect& monitorRect, float margin) {
    FloatRect r = toFloat(rect);
    const FloatRect monitor = toFloat(monitorRect);
    r.left -= monitor.left;
    r.top -= monitor.top;
    r = snap(r, monitor.width, monitor.height, margin);
    r.left += monitor.left;
    r.top += monitor.top;
    return fromFloat(r);
}

} // namespace tessel
