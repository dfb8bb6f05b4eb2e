// The shipped library counts nothing: its observations go nowhere.
#include "hooklib/win/observations.h"

namespace zrv {

void noteReloadStarted() noexcept {}
void noteReloadFinished() noexcept {}
void noteMessageRouted() noexcept {}
void noteShadowRebuilt() noexcept {}
void noteFullTableBeep() noexcept {}
void noteShadowOpacity(int) noexcept {}
void noteMenuCoverPaint(unsigned) noexcept {}

} // namespace zrv
