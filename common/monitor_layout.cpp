#include "common/monitor_layout.h"

namespace zt {
namespace {

std::int32_t clampStart(std::int64_t start, std::int64_t size, std::int64_t lo, std::int64_t hi) {
    if (start + size > hi)
        start = hi - size;
    if (start < lo)
        start = lo;
    return static_cast<std::int32_t>(start);
}

} // namespace

Rect keepInside(const Rect& window, const Rect& area) {
    const std::int64_t w = static_cast<std::int64_t>(window.right) - window.left;
    const std::int64_t h = static_cast<std::int64_t>(window.bottom) - window.top;
    Rect r;
    r.left = clampStart(window.left, w, area.left, area.right);
    r.top = clampStart(window.top, h, area.top, area.bottom);
    r.right = static_cast<std::int32_t>(r.left + w);
    r.bottom = static_cast<std::int32_t>(r.top + h);
    return r;
}

Rect centredIn(std::int32_t width, std::int32_t height, const Rect& area) {
    const std::int64_t left = area.left + (static_cast<std::int64_t>(area.width()) - width) / 2;
    const std::int64_t top = area.top + (static_cast<std::int64_t>(area.height()) - height) / 2;
    const Rect r{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                 static_cast<std::int32_t>(left + width), static_cast<std::int32_t>(top + height)};
    return keepInside(r, area);
}

} // namespace zt
