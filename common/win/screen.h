// What the screen shows: colour values as files store them, and its DPI.
#pragma once
#include <windows.h>

#include <cstdint>

namespace tessel {

// 0x00BBGGRR, or the system colour nn for 0x800000nn.
COLORREF colourValue(int32_t value);

// Pixels per logical inch across the screen; 96 when the screen does not say.
int screenDpi();

} // namespace tessel
