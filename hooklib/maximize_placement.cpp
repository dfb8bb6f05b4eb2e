#include "hooklib/maximize_placement.h"

namespace zrv::maxsize {

Placement maximizedPlacement(const Inputs& in) {
    Placement p;
    p.size = {in.width, in.height};
    if (in.maxLeft == 1)
        p.position = {0, 0};
    else if (in.style & kMinimizedStyle)
        p.position = in.restoredCorner;
    else
        p.position = in.currentCorner;
    return p;
}

} // namespace zrv::maxsize
