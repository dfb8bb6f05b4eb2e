// Window selection, per-window state and application transparency.
#include "hooklib/win/effects.h"
#include "hooklib/win/process_state.h"

namespace zrv::fx {

void clearTrackedTable() noexcept {}
void resetTrackedWindows() noexcept {}
void closeTrackedForDetach(bool) noexcept {}
void onDestroyAfter(HWND) noexcept {}
void onDestroyBefore(HWND) noexcept {}
void applyAppTransparency(HWND) noexcept {}

} // namespace zrv::fx
