// The task buttons: which windows get one and where the buttons go inside
// the skin's task list area.
#pragma once

#include "formats/twips.h"

#include <cstdint>
#include <vector>

namespace tessel {

inline constexpr uint32_t kTaskStyleMask = 0x10800000; // WS_VISIBLE | WS_BORDER
inline constexpr int kTaskButtons = 26;   // button 0 is never used for a task
inline constexpr int kMaxTasks = 25;
inline constexpr double kHiddenButtonLeft = 200000; // twips, far outside the bar
// Button 0's place and caption, outside any bar smaller than that.
inline constexpr double kSpareButtonLeft = 5760, kSpareButtonTop = 7920;
inline constexpr char kSpareButtonCaption[] = "Command13";

bool TaskWindow(uint32_t style);

// Places of buttons 1..count (count is capped at kMaxTasks): stacked, each
// area height / count high; or side by side, each area width / count wide.
std::vector<TwipRect> layoutTaskButtons(int count, const TwipRect& area, bool horizontal);

} // namespace tessel
