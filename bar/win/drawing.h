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

// Moves a window to the middle of the screen, keeping its size.
void centreOnScreen(HWND wnd, HWND insertAfter);

} // namespace tessel::win
