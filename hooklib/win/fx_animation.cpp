// Fade-in and slide-in of newly shown windows.
#include "hooklib/win/effects.h"
#include "hooklib/win/process_state.h"

namespace zrv::fx {

void onShowWindow(HWND) noexcept {}

} // namespace zrv::fx
