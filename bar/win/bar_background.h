// The skin's background picture: the bar shows it whole, and the elements
// without a picture and the clock show the part of it under them.
#pragma once
#include <windows.h>

#include "common/win/scoped.h"
#include "formats/run_error.h"

#include <string>

namespace tessel::win {

class BarBackground {
public:
    // "background.bmp" of the skin folder. A missing picture leaves black.
    RunError load(const std::string& skinFolder);
    bool loaded() const { return bool(dc_); }

    // The bar's own paint: black, and the picture from the bar's corner.
    void paintBar(HDC dc, const RECT& area) const;
    // The part under `child`, a child window of the bar.
    void paintUnder(HWND child, HDC dc) const;
    COLORREF pixel(int x, int y) const;

private:
    // The bitmap before the DC it is selected into: the DC goes first.
    zt::ScopedBitmap picture_;
    zt::ScopedMemDc dc_;
    SIZE size_{};
};

} // namespace tessel::win
