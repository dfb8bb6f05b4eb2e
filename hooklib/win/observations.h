// What the library tells of its own work, for the tests and benchmarks to
// count; nothing in the library acts on it. zrv.dll links definitions that
// do nothing (observations_off.cpp); the programs that link the library's
// code in get counting ones (tests/hooklib/win/observed.h). Every definition
// returns at once: no throw, no lock, no wait.
#pragma once

namespace zrv {

void noteReloadStarted() noexcept;
void noteReloadFinished() noexcept;
void noteMessageRouted() noexcept; // once for each message a hook routes
void noteShadowRebuilt() noexcept; // a shadow picture made (either kind)
void noteFullTableBeep() noexcept; // the beep for a full tracked table
void noteShadowOpacity(int opacity) noexcept; // constant opacity given to a shadow
void noteMenuCoverPaint(unsigned pixelsMixed) noexcept; // pixels the paint mixed and drew

} // namespace zrv
