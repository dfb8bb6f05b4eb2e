// What the two hook procedures do with a message before passing it on: the
// call hook's before the window procedure runs, the return hook's after.
#pragma once
#include <windows.h>

namespace zrv {

void hookBefore(const CWPSTRUCT& c) noexcept;
void hookAfter(const CWPRETSTRUCT& r) noexcept;

} // namespace zrv
