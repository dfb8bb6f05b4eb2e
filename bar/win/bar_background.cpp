#include "bar/win/bar_background.h"

#include "common/win/pictures.h"
#include "formats/skin_files.h"

namespace tessel::win {

RunError BarBackground::load(const std::string& skinFolder) {
    RunError e = loadPicture(skinFilePath(skinFolder, "background.bmp"), picture_);
    if (picture_) {
        dc_.reset(CreateCompatibleDC(nullptr));
        SelectObject(dc_.get(), picture_.get());
        size_ = bitmapSize(picture_.get());
    }
    return e;
}

void BarBackground::paintBar(HDC dc, const RECT& area) const {
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (dc_)
        BitBlt(dc, 0, 0, size_.cx, size_.cy, dc_.get(), 0, 0, SRCCOPY);
}

void BarBackground::paintUnder(HWND child, HDC dc) const {
    RECT rc;
    GetClientRect(child, &rc);
    POINT at = {0, 0};
    MapWindowPoints(child, GetParent(child), &at, 1);
    FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (dc_)
        BitBlt(dc, 0, 0, rc.right, rc.bottom, dc_.get(), at.x, at.y, SRCCOPY);
}

COLORREF BarBackground::pixel(int x, int y) const {
    return dc_ ? GetPixel(dc_.get(), x, y) : CLR_INVALID;
}

} // namespace tessel::win
