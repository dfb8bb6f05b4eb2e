// Window selection, per-window state and application transparency.
#include "hooklib/window_kinds.h"
#include "hooklib/win/effect_timer.h"
#include "hooklib/win/effects.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/window_props.h"

namespace zrv::fx {
namespace {

bool isLiveWindow(std::uint32_t handle) { return IsWindow(props::windowFromValue(handle)) != FALSE; }

std::uint32_t styleOf(HWND wnd) { return static_cast<std::uint32_t>(GetWindowLongA(wnd, GWL_STYLE)); }
std::uint32_t exStyleOf(HWND wnd) {
    return static_cast<std::uint32_t>(GetWindowLongA(wnd, GWL_EXSTYLE));
}

void closeShadows(HWND wnd) noexcept {
    sendHookCommand(props::getWindow(wnd, props::kShadowRight), HOOKCMD_CLOSE);
    sendHookCommand(props::getWindow(wnd, props::kShadowBottom), HOOKCMD_CLOSE);
}

void closeAndForgetShadows(HWND wnd) noexcept {
    closeShadows(wnd);
    props::remove(wnd, props::kShadowRight);
    props::remove(wnd, props::kShadowBottom);
}

// The properties the return hook removes once the window procedure has seen
// WM_DESTROY. The fade level is among them: a window destroyed mid-fade would
// otherwise leave it behind.
constexpr const char* kRemovedAtDestroy[] = {props::kSlideStep, props::kSlideTotal,
                                             props::kSlideTotal2, props::kShadowRight,
                                             props::kShadowBottom, props::kWidth,
                                             props::kHeight,      props::kFadeLevel};

} // namespace

void clearTrackedTable() noexcept { state().tracked.clear(); }

bool trackWindow(HWND wnd) noexcept {
    if (!wnd)
        return false;
    if (state().tracked.track(props::handleValue(wnd), isLiveWindow) ==
        TrackedWindowTable::kFull) {
        Beep(100, 1000);
        return false;
    }
    return true;
}

void untrackWindow(HWND wnd) noexcept {
    if (wnd)
        state().tracked.untrack(props::handleValue(wnd));
}

void resetTrackedWindows() noexcept {
    TrackedWindowTable& table = state().tracked;
    for (int slot = 1; slot <= TrackedWindowTable::kLastSlot; ++slot) {
        const std::uint32_t value = table.at(slot);
        HWND wnd = props::windowFromValue(value);
        if (value == 0 || !IsWindow(wnd))
            continue;
        closeAndForgetShadows(wnd);
        removeLayeredStyle(wnd);
        table.release(slot, value);
        RECT r = {};
        GetWindowRect(wnd, &r);
        // The reload runs on a thread of its own: the owner's thread does the
        // repositioning itself, so a hung window cannot hold the reload.
        UINT flags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER |
                     SWP_FRAMECHANGED;
        if (GetWindowThreadProcessId(wnd, nullptr) != GetCurrentThreadId())
            flags |= SWP_ASYNCWINDOWPOS;
        SetWindowPos(wnd, nullptr, r.left, r.top, 0, 0, flags);
    }
}

void closeTrackedForDetach(bool sendCommands) noexcept {
    TrackedWindowTable& table = state().tracked;
    for (int slot = 1; slot <= TrackedWindowTable::kLastSlot; ++slot) {
        const std::uint32_t value = table.at(slot);
        HWND wnd = props::windowFromValue(value);
        if (value == 0 || !IsWindow(wnd))
            continue;
        if (sendCommands)
            closeShadows(wnd);
        props::remove(wnd, props::kShadowRight);
        props::remove(wnd, props::kShadowBottom);
        table.release(slot, value);
    }
}

void onDestroyBefore(HWND wnd) noexcept {
    closeShadows(wnd);
    untrackWindow(wnd);
}

void onDestroyAfter(HWND wnd) noexcept {
    for (const char* name : kRemovedAtDestroy)
        props::remove(wnd, name);
    releaseDragPicture(wnd);
}

void applyAppTransparency(HWND wnd) noexcept {
    const ProcessState& s = state();
    if (!s.updateLayeredWindow || !kinds::isCaptionedTopLevel(styleOf(wnd)))
        return;
    trackWindow(wnd);
    if (s.settings.appTransparent && !kinds::isLayered(exStyleOf(wnd)) &&
        s.setLayeredWindowAttributes) {
        addLayeredStyle(wnd);
        setOpacity(wnd, s.settings.appOpacity);
    }
}

} // namespace zrv::fx
