// Window selection, per-window state and application transparency.
#include "hooklib/win/fx_tracking.h"

#include "hooklib/win/effect_timer.h"
#include "hooklib/win/fx_drag.h"
#include "hooklib/win/hook_commands.h"
#include "hooklib/win/observations.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/residency.h"
#include "hooklib/win/window_props.h"
#include "hooklib/window_kinds.h"

#include <initializer_list>

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
                                             props::kHeight,      props::kFadeLevel,
                                             props::kAddedLayer};

} // namespace

void clearTrackedTable() noexcept { state().tracked.clear(); }

bool isEffectWindow(HWND wnd) noexcept {
    const ProcessState& s = state();
    const auto atom = static_cast<ATOM>(GetClassLongPtrA(wnd, GCW_ATOM));
    return atom != 0 && (atom == s.shadowClassAtom || atom == s.fakeMenuClassAtom);
}

bool trackWindow(HWND wnd) noexcept {
    if (!wnd)
        return false;
    ProcessState& s = state();
    if (s.tracked.track(props::handleValue(wnd), isLiveWindow) == TrackedWindowTable::kFull) {
        // Once per process: the beep holds the thread for its second, and a
        // full table would otherwise bring it on every move of every window.
        if (!s.fullTableBeeped.exchange(true)) {
            noteFullTableBeep();
            Beep(100, 1000);
        }
        return false;
    }
    return true;
}

void untrackWindow(HWND wnd) noexcept {
    if (wnd)
        state().tracked.untrack(props::handleValue(wnd));
}

void resetWindow(HWND wnd) noexcept {
    if (!wnd || !IsWindow(wnd) || isEffectWindow(wnd))
        return;
    closeAndForgetShadows(wnd);
    removeLayeredStyle(wnd);
    RECT r = {};
    GetWindowRect(wnd, &r);
    SetWindowPos(wnd, nullptr, r.left, r.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER |
                     SWP_FRAMECHANGED);
}

void resetTrackedWindows() noexcept {
    TrackedWindowTable& table = state().tracked;
    for (int slot = 1; slot <= TrackedWindowTable::kLastSlot; ++slot) {
        const std::uint32_t value = table.at(slot);
        HWND wnd = props::windowFromValue(value);
        if (value == 0 || !IsWindow(wnd))
            continue;
        if (GetWindowThreadProcessId(wnd, nullptr) == GetCurrentThreadId()) {
            table.release(slot, value);
            resetWindow(wnd);
            continue;
        }
        // A hung window keeps its slot, its shadows and their properties:
        // closing shadows it cannot receive would leave them on screen for
        // good. The next reload tries again.
        if (IsHungAppWindow(wnd))
            continue;
        // Every other window resets itself in its own thread (the call hook
        // sees the command), so that neither a style change nor a shadow's
        // close ever makes the reload wait on another thread for long.
        table.release(slot, value);
        // Queued as a sent message, so that the call hook sees it, without
        // waiting for the answer: a wait that timed out would drop it.
        if (const UINT msg = state().hookMessage)
            SendNotifyMessageA(wnd, msg, HOOKCMD_RESET, 0);
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
    if (props::hasAny(wnd))
        closeShadows(wnd);
    untrackWindow(wnd);
}

namespace {

// A fade, slide or menu translucency ends with its window: the timer dies
// with it.
void releaseHolds(HWND wnd) noexcept {
    if (residency::holds() > 0)
        for (HeldWindows::Kind kind : {HeldWindows::kFade, HeldWindows::kSlide,
                                       HeldWindows::kMenuAlpha})
            residency::releaseFor(wnd, kind);
}

void removeDestroyedWindowsProps(HWND wnd) noexcept {
    for (const char* name : kRemovedAtDestroy)
        props::remove(wnd, name);
    releaseDragPicture(wnd);
}

} // namespace

void onDestroyAfter(HWND wnd) noexcept {
    releaseHolds(wnd);
    // Most windows that die never had an effect (a dialog's controls): one
    // look at the property list spares them a removal call per name.
    if (props::hasAny(wnd))
        removeDestroyedWindowsProps(wnd);
}

void onNcDestroy(HWND wnd) noexcept {
    // Messages can still reach a window after its WM_DESTROY: a child's own
    // clean-up that moves, shows or activates its parent, a reload's reset
    // met on the way out. They may have given it shadows, a layer mark or a
    // table slot again, and nothing would ever take those back: its very
    // last message does. The library's own windows clean up after themselves.
    if (!wnd || isEffectWindow(wnd))
        return;
    untrackWindow(wnd);
    releaseHolds(wnd);
    // Shadows and pictures are named by properties: a window without any
    // of the library's has nothing more to take back.
    if (!props::hasAny(wnd))
        return;
    closeShadows(wnd);
    removeDestroyedWindowsProps(wnd);
}

void applyAppTransparency(HWND wnd) noexcept {
    const ProcessState& s = state();
    if (!s.updateLayeredWindow || !kinds::isCaptionedTopLevel(styleOf(wnd)) ||
        isEffectWindow(wnd))
        return;
    trackWindow(wnd);
    if (s.settings.appTransparent && !kinds::isLayered(exStyleOf(wnd)) &&
        s.setLayeredWindowAttributes && addLayeredStyle(wnd))
        setOpacity(wnd, s.settings.appOpacity);
}

} // namespace zrv::fx
