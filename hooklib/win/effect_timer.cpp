// The effect timer procedure and the step of each timer.
#include "hooklib/win/effect_timer.h"

#include "formats/effect_keys.h"
#include "hooklib/appearance.h"
#include "hooklib/win/hook_commands.h"
#include "hooklib/win/layering.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/residency.h"
#include "hooklib/win/settings_reads.h"
#include "hooklib/win/window_props.h"
#include "hooklib/window_kinds.h"

#include "common/win/monitors.h"

#include <initializer_list>

namespace zrv {
namespace {

// Long enough for a busy thread to answer, short enough that a reload or an
// unload never stalls on a thread that does not.
constexpr UINT kCrossThreadSendTimeoutMs = 200;

void shadowsFollowFade(HWND wnd, int opacity) noexcept {
    for (const char* name : {props::kShadowRight, props::kShadowBottom}) {
        HWND shadow = props::getWindow(wnd, name);
        if (!shadow || !IsWindow(shadow))
            continue;
        props::setInt(shadow, props::kAlpha, opacity);
        sendHookCommand(shadow, HOOKCMD_ALPHA);
    }
}

} // namespace

bool setOpacity(HWND wnd, int opacity) noexcept {
    const auto setAttributes = state().setLayeredWindowAttributes;
    if (!setAttributes || !wnd)
        return false;
    return setAttributes(wnd, kLayerColourKey, static_cast<BYTE>(opacity & 0xFF),
                         kLayerAlphaFlag) != FALSE;
}

bool layeredByProgram(HWND wnd) noexcept {
    const auto ex = static_cast<std::uint32_t>(GetWindowLongA(wnd, GWL_EXSTYLE));
    return kinds::isLayered(ex) && !props::has(wnd, props::kAddedLayer);
}

bool addLayeredStyle(HWND wnd) noexcept {
    const LONG ex = GetWindowLongA(wnd, GWL_EXSTYLE);
    if (kinds::isLayered(static_cast<std::uint32_t>(ex)))
        return props::has(wnd, props::kAddedLayer);
    // Marked first: the style change may run hooks that look for the mark.
    if (!props::setInt(wnd, props::kAddedLayer, 1))
        return false;
    SetWindowLongA(wnd, GWL_EXSTYLE, ex | static_cast<LONG>(kinds::kLayeredEx));
    return true;
}

void removeLayeredStyle(HWND wnd) noexcept {
    if (!props::has(wnd, props::kAddedLayer))
        return;
    props::remove(wnd, props::kAddedLayer);
    const LONG ex = GetWindowLongA(wnd, GWL_EXSTYLE);
    if (kinds::isLayered(static_cast<std::uint32_t>(ex)))
        SetWindowLongA(wnd, GWL_EXSTYLE, ex & ~static_cast<LONG>(kinds::kLayeredEx));
}

void sendHookCommand(HWND target, WPARAM command, LPARAM lParam) noexcept {
    const UINT msg = state().hookMessage;
    if (!msg || !target || !IsWindow(target))
        return;
    if (GetWindowThreadProcessId(target, nullptr) == GetCurrentThreadId()) {
        SendMessageA(target, msg, command, lParam);
        return;
    }
    DWORD_PTR result = 0;
    SendMessageTimeoutA(target, msg, command, lParam, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                        kCrossThreadSendTimeoutMs, &result);
}

bool startEffectTimer(HWND wnd, EffectTimer id, UINT intervalMs) noexcept {
    return SetTimer(wnd, id, intervalMs, EffectTimerProc) != 0;
}

void startMenuAlphaTimer(HWND menu) noexcept {
    // Held like a fade: a tick after an unbind would otherwise run unmapped
    // code.
    if (startEffectTimer(menu, TIMER_MENU_ALPHA, kMenuAlphaInterval))
        residency::holdFor(menu, HeldWindows::kMenuAlpha);
}

void fadeStep(HWND wnd) noexcept {
    std::int32_t level = appearance::nextFadeLevel(props::getInt(wnd, props::kFadeLevel));
    const bool ended = level <= 0;
    if (ended) {
        props::remove(wnd, props::kFadeLevel);
        removeLayeredStyle(wnd);
        KillTimer(wnd, TIMER_FADE);
        level = 0;
    } else {
        props::setInt(wnd, props::kFadeLevel, level);
    }
    const int opacity = appearance::fadeOpacity(level);
    shadowsFollowFade(wnd, opacity);
    // After the last step the window is no longer layered and this does
    // nothing: it is simply opaque.
    setOpacity(wnd, opacity);
    if (ended)
        residency::releaseFor(wnd, HeldWindows::kFade);
}

void slideStep(HWND wnd) noexcept {
    const std::int32_t step = props::getInt(wnd, props::kSlideStep);
    RECT o = {};
    GetWindowRect(wnd, &o);
    // The top stops at the top of the window's own monitor, which is above 0
    // on a monitor above the primary one.
    const appearance::SlideStep s =
        appearance::slideStep(step, appearance::Rect{o.left, o.top, o.right, o.bottom},
                              zt::win::monitorOfWindow(wnd).bounds.top);
    if (s.done) {
        residency::releaseFor(wnd, HeldWindows::kSlide);
        props::remove(wnd, props::kSlideStep);
        props::remove(wnd, props::kSlideTotal);
        KillTimer(wnd, TIMER_SLIDE);
    } else {
        props::setInt(wnd, props::kSlideStep, s.move);
    }
    SetWindowPos(wnd, nullptr, o.left, s.newTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (s.uncovered.bottom > s.uncovered.top) {
        const RECT strip = {s.uncovered.left, s.uncovered.top, s.uncovered.right,
                            s.uncovered.bottom};
        RedrawWindow(GetDesktopWindow(), &strip, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

void shadowSettleStep(HWND shadow) noexcept {
    KillTimer(shadow, TIMER_SHADOW_SETTLE);
    props::setInt(shadow, props::kAlpha, 255);
    sendHookCommand(shadow, HOOKCMD_ALPHA);
    sendHookCommand(shadow, HOOKCMD_RESHAPE, 0);
}

void menuAlphaStep(HWND menu) noexcept {
    // Only a layer the library added gets the opacity: a program may have
    // layered the window itself meanwhile.
    if (props::has(menu, props::kAddedLayer))
        setOpacity(menu,
                   readUseKey(keys::kSemiMenusVal.name, keys::kSemiMenusVal.libraryDefault));
    KillTimer(menu, TIMER_MENU_ALPHA);
    residency::releaseFor(menu, HeldWindows::kMenuAlpha);
}

void CALLBACK EffectTimerProc(HWND wnd, UINT, UINT_PTR id, DWORD) noexcept {
    if (!wnd || !IsWindow(wnd))
        return;
    switch (id) {
    case TIMER_FADE:
        fadeStep(wnd);
        break;
    case TIMER_SHADOW_SETTLE:
        shadowSettleStep(wnd);
        break;
    case TIMER_MENU_ALPHA:
        menuAlphaStep(wnd);
        break;
    default:
        slideStep(wnd);
        break;
    }
}

} // namespace zrv
