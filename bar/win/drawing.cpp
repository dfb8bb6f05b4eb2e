#include "bar/win/drawing.h"

#include "common/win/monitors.h"
#include "common/win/scoped.h"


namespace tessel::win {

using namespace zt;

namespace {
COLORREF mix(COLORREF a, COLORREF b, int percentOfB) {
    auto m = [&](int x, int y) { return x + (y - x) * percentOfB / 100; };
    return RGB(m(GetRValue(a), GetRValue(b)), m(GetGValue(a), GetGValue(b)),
               m(GetBValue(a), GetBValue(b)));
}

void frame(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
    ScopedPen light(CreatePen(PS_SOLID, 1, topLeft));
    ScopedPen dark(CreatePen(PS_SOLID, 1, bottomRight));
    {
        ScopedSelect sel(dc, light.get());
        MoveToEx(dc, r.left, r.bottom - 1, nullptr);
        LineTo(dc, r.left, r.top);
        LineTo(dc, r.right - 1, r.top);
    }
    ScopedSelect sel(dc, dark.get());
    MoveToEx(dc, r.right - 1, r.top, nullptr);
    LineTo(dc, r.right - 1, r.bottom - 1);
    LineTo(dc, r.left - 1, r.bottom - 1);
}
} // namespace

void drawBitmap(HDC dc, HBITMAP b, int x, int y) {
    if (!b)
        return;
    ScopedMemDc mem(CreateCompatibleDC(dc));
    ScopedSelect sel(mem.get(), b);
    const SIZE s = bitmapSize(b);
    BitBlt(dc, x, y, s.cx, s.cy, mem.get(), 0, 0, SRCCOPY);
}

void stretchBitmap(HDC dc, HBITMAP b, const RECT& area) {
    const SIZE s = bitmapSize(b);
    if (s.cx <= 0 || s.cy <= 0)
        return;
    ScopedMemDc mem(CreateCompatibleDC(dc));
    ScopedSelect sel(mem.get(), b);
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, mem.get(),
               0, 0, s.cx, s.cy, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
}

void centreOnMonitorOf(HWND wnd, HWND anchor) {
    RECT r;
    GetWindowRect(wnd, &r);
    const zt::Rect c = zt::centredIn(r.right - r.left, r.bottom - r.top,
                                     zt::win::monitorOfWindow(anchor ? anchor : wnd).work);
    SetWindowPos(wnd, nullptr, c.left, c.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
}

void keepInsideMonitorOf(HWND wnd, HWND anchor) {
    RECT r;
    GetWindowRect(wnd, &r);
    const zt::Rect c = zt::keepInside(zt::win::toRect(r), zt::win::monitorOfWindow(anchor).work);
    if (c.left != r.left || c.top != r.top)
        SetWindowPos(wnd, nullptr, c.left, c.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
}

COLORREF textColourOn(COLORREF c) {
    int y = GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114;
    return y > 128000 ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

void drawSkinButton(const DRAWITEMSTRUCT& di, COLORREF colour, HFONT font, UINT textFormat) {
    RECT rc = di.rcItem;
    const bool down = di.itemState & ODS_SELECTED;
    ScopedBrush face(CreateSolidBrush(down ? mix(colour, RGB(0, 0, 0), 25) : colour));
    FillRect(di.hDC, &rc, face.get());
    const COLORREF light = mix(colour, RGB(255, 255, 255), 35);
    const COLORREF dark = mix(colour, RGB(0, 0, 0), 60);
    frame(di.hDC, rc, down ? dark : light, down ? light : dark);
    char text[256] = {};
    GetWindowTextA(di.hwndItem, text, sizeof text);
    InflateRect(&rc, -3, -1);
    if (down)
        OffsetRect(&rc, 1, 1);
    SetBkMode(di.hDC, TRANSPARENT);
    SetTextColor(di.hDC, textColourOn(colour));
    ScopedSelect sel(di.hDC, font);
    DrawTextA(di.hDC, text, -1, &rc, textFormat | DT_NOPREFIX);
    if (di.itemState & ODS_FOCUS) {
        InflateRect(&rc, -2, -2);
        DrawFocusRect(di.hDC, &rc);
    }
}

} // namespace tessel::win
