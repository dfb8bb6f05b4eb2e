#include "bar/win/bar_drag.h"

#include "formats/twips.h"

#include <cmath>

namespace tessel::win {

void BarDrag::start(int x, int y) {
    anchorX_ = skinPixelsToTwips(x);
    anchorY_ = int(std::lround(skinPixelsToTwips(y)));
    dragging_ = true;
}

void BarDrag::follow(HWND bar, int x, int y, WPARAM buttons) const {
    if (!dragging_ ||
        (buttons & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2)) != MK_LBUTTON)
        return;
    RECT r;
    GetWindowRect(bar, &r);
    const int left = skinTwipsToPixels(skinPixelsToTwips(r.left) + skinPixelsToTwips(x) - anchorX_);
    const int top = skinTwipsToPixels(skinPixelsToTwips(r.top) + skinPixelsToTwips(y) - anchorY_);
    SetWindowPos(bar, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace tessel::win
