// Counting definitions of the library's observations. zrv.dll links the
// ones that do nothing instead.
#include "tests/hooklib/win/observed.h"

#include "hooklib/win/observations.h"

namespace zrv {
namespace {

test::Observed g_observed;

} // namespace

test::Observed& test::observed() noexcept { return g_observed; }

void noteReloadStarted() noexcept { g_observed.reloadsStarted.fetch_add(1); }
void noteReloadFinished() noexcept { g_observed.reloadsFinished.fetch_add(1); }
void noteMessageRouted() noexcept {
    g_observed.messagesRouted.fetch_add(1, std::memory_order_relaxed);
}
void noteShadowRebuilt() noexcept { g_observed.shadowRebuilds.fetch_add(1); }
void noteFullTableBeep() noexcept { g_observed.fullTableBeeps.fetch_add(1); }
void noteShadowOpacity(int opacity) noexcept { g_observed.lastShadowOpacity.store(opacity); }
void noteMenuCoverPaint(unsigned pixelsMixed) noexcept {
    g_observed.menuCoverPaints.fetch_add(1);
    g_observed.menuCoverPixelsMixed.store(pixelsMixed);
}

} // namespace zrv
