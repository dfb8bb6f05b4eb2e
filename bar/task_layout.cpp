#include "bar/task_layout.h"

namespace tessel {

bool TaskWindow(uint32_t style) { return (style & kTaskStyleMask) == kTaskStyleMask; }

std::vector<TwipRect> layoutTaskButtons(int count, const TwipRect& a, bool horizontal) {
    std::vector<TwipRect> places;
    if (count <= 0)
        return places;
    if (count > kMaxTasks)
        count = kMaxTasks;
    const double step = (horizontal ? a.width : a.height) / count;
    for (int i = 1; i <= count; ++i) {
        if (horizontal)
            places.push_back({step * i + a.left - step, a.top, step, a.height});
        else
            places.push_back({a.left, step * i + a.top - step, a.width, step});
    }
    return places;
}

} // namespace tessel
