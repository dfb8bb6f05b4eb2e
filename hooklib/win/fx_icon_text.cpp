// Desktop icon text colours, in the shell process only.
#include "hooklib/win/effects.h"
#include "hooklib/win/process_state.h"

namespace zrv::fx {

void onEraseBackground(HWND) noexcept {}

} // namespace zrv::fx
