// The one rectangle type of the effects library's portable logic, in screen
// or window coordinates: left and top inside, right and bottom outside. It is
// the monitor rules' own, so that a window's rectangle and its monitor's meet
// without conversion.
#pragma once

#include "common/monitor_layout.h"

namespace zrv {

using Rect = zt::Rect;

} // namespace zrv
