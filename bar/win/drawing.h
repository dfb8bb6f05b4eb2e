// Drawing helpers of the bar and its dialogs: bitmap sizes and copies, the
// command buttons in the skin's button colour, window placement.
#pragma once
#include <windows.h>

#include "common/win/pictures.h"

namespace tessel::win {

// Copies the whole bitmap to (x, y); nothing for no bitmap.
void drawBitmap(HDC dc, HBITMAP b, int x, int y);
// Stretches the bitmap over the rectangle.
void stretchBitmap(HDC dc, HBITMAP b, const RECT& area);

// Black or white, whichever reads better on `background`.
COLORREF textColourOn(COLORREF background);

void drawSkinButton(const DRAWITEMSTRUCT& di, COLORREF colour, HFONT font, UINT textFormat);

// Centres `wnd`, keeping its size, in the work area of the monitor `anchor`
// is on.
void centreOnMonitorOf(HWND wnd, HWND anchor);
// Moves `wnd` just far enough to lie inside the work area of `anchor`'s
// monitor.
void keepInsideMonitorOf(HWND wnd, HWND anchor);

} // namespace tessel::win
