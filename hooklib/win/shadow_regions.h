// What the shadow windows and the hook side of the shadows share: regions
// moved between the platform and the portable shapes, the rectangle handed
// with a rebuild, and the per-process turn at shadow painting.
#pragma once
#include <windows.h>

#include "hooklib/shadow_geometry.h"

namespace zrv::shadowwin {

shadow::Rect outerRect(HWND wnd) noexcept;

// Whether `wnd` has a window region, asked without copying the region.
bool hasWindowRegion(HWND wnd) noexcept;
// The window region of `wnd` in its own coordinates.
enum class RegionRead { Read, None, Failed };
RegionRead windowRegion(HWND wnd, shadow::Region& out) noexcept;
// A platform region holding `r`; null when out of memory.
HRGN toPlatformRegion(const shadow::Region& r) noexcept;

// Asks `shadow` (a window of this thread) to rebuild, at `place` or, when
// null, at its own rectangle. The rectangle travels by pointer, and the
// shadow only follows a pointer this thread has just handed it: a command
// that comes from anywhere else is rebuilt at the shadow's own rectangle.
// Returns whether the rebuild also moved and sized the shadow to `place`
// (always false without one).
bool sendReshape(HWND shadow, const shadow::Rect* place) noexcept;
// The rectangle of a rebuild command, if lParam is the one handed above.
bool reshapeRect(LPARAM lParam, RECT& out) noexcept;
// Called by the shadow once it has put itself at the rectangle of the rebuild
// command `lParam` (one that reshapeRect accepted).
void notePlaced(LPARAM lParam) noexcept;

// One thread of the process at a time paints or rebuilds a shadow. The
// others wait their turn in 10 ms sleeps; a turn that does not come within
// kPaintTurnLimitMs is given up (the paint is skipped) rather than leave a
// foreign thread waiting for good.
constexpr DWORD kPaintTurnPollMs = 10;
constexpr DWORD kPaintTurnLimitMs = 2000;
class PaintTurn {
public:
    PaintTurn() noexcept;
    ~PaintTurn();
    PaintTurn(const PaintTurn&) = delete;
    PaintTurn& operator=(const PaintTurn&) = delete;
    bool held() const noexcept { return held_; }

private:
    bool held_ = false;
};

} // namespace zrv::shadowwin
