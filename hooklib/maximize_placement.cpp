#include "hooklib/maximize_placement.h"

namespace zrv::maxsize {

Placement maximizedPlacement(const Inputs& in) {
    Placement p;
    p.size = {in.width, in.height};
    const zt::Rect& work = in.monitor.work;
    const bool known = !work.empty();
    if (known) {
        if (p.size.x > work.width())
            p.size.x = work.width();
        if (p.size.y > work.height())
            p.size.y = work.height();
    }
    if (in.maxLeft == 1)
        p.position = known ? Point{work.left, work.top} : Point{0, 0};
    else if (in.style & kMinimizedStyle)
        p.position = in.restoredCorner;
    else
        p.position = in.currentCorner;
    if (known && in.maxLeft != 1) {
        // Its own corner, moved in as far as needed to keep the whole window
        // on the monitor's work area.
        const zt::Rect r = zt::keepInside(
            {p.position.x, p.position.y, p.position.x + (p.size.x > 0 ? p.size.x : 0),
             p.position.y + (p.size.y > 0 ? p.size.y : 0)},
            work);
        p.position = {r.left, r.top};
    }
    return p;
}

Placement recordFor(const Placement& p, const zt::Monitor& monitor, const zt::Rect& primary,
                    bool platformAdjusts) {
    if (!platformAdjusts || monitor.bounds.empty() || primary.empty())
        return p;
    Placement r = p;
    r.position.x = p.position.x - monitor.bounds.left + primary.left;
    r.position.y = p.position.y - monitor.bounds.top + primary.top;
    if (p.size.x >= primary.width() && p.size.y >= primary.height()) {
        r.size.x = p.size.x - (monitor.bounds.width() - primary.width());
        r.size.y = p.size.y - (monitor.bounds.height() - primary.height());
    }
    return r;
}

} // namespace zrv::maxsize
