// The command buttons of the bar and its dialogs, drawn in the skin's
// button colour with edges of the same hue.
#pragma once
#include <windows.h>

namespace tessel::win {

// Black or white, whichever reads better on `background`.
COLORREF textColourOn(COLORREF background);

void drawSkinButton(const DRAWITEMSTRUCT& di, COLORREF colour, HFONT font, UINT textFormat);

} // namespace tessel::win
