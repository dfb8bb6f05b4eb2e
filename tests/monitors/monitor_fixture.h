// What the tests on a desktop of two monitors share: the monitors as wine
// lists them, and the screen DPI that programs started meanwhile see.
#pragma once
#include <windows.h>

#include "common/monitor_layout.h"

#include <string>
#include <vector>

namespace zt::test {

// Every monitor, the primary one first.
std::vector<Monitor> platformMonitors();
// The first monitor that is not the primary one; an empty one when there is
// none.
Monitor otherMonitor();

inline bool inside(const RECT& r, const Rect& area) {
    return r.left >= area.left && r.top >= area.top && r.right <= area.right &&
           r.bottom <= area.bottom;
}
inline POINT centreOf(const Rect& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
std::string describe(const RECT& r);
std::string describe(const Rect& r);

// Programs started while one of these lives see `dpi` as the screen's DPI
// (wine reads it at each program's start); the value before comes back at
// the end.
class ScopedDpi {
  public:
    explicit ScopedDpi(int dpi);
    ~ScopedDpi();
    ScopedDpi(const ScopedDpi&) = delete;
    ScopedDpi& operator=(const ScopedDpi&) = delete;
    void set(int dpi);

  private:
    bool had_ = false;
    DWORD before_ = 0;
};

} // namespace zt::test
