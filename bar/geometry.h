// The edge snap that pulls a released window flush to the screen edges.
#pragma once

#include "formats/twips.h"

namespace tessel {

inline constexpr float kBarSnapMargin = 75;     // twips
inline constexpr float kDialogSnapMargin = 375; // twips

// In this order: left < m gives 0; top < m gives 0; a right edge beyond the
// screen width - m pulls the window back to meet the right edge; the same for
// the bottom. The snap works in single precision: the rectangle is taken as
// floats, the right and bottom sums are compared as floats, and the result
// holds float values. A window wider than the screen ends with a negative
// left edge.
TwipRect edgeSnap(TwipRect r, float screenWidth, float screenHeight, float margin);

// The same snap against the edges of one monitor (`monitor`: its left, top,
// width and height in twips), for the monitor the window was dropped on.
TwipRect edgeSnapOn(TwipRect r, const TwipRect& monitor, float margin);

} // namespace tessel
