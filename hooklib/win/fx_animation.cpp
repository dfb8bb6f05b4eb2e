// Fade-in and slide-in of newly shown windows, and application transparency
// on show.
#include "hooklib/win/fx_animation.h"

#include "formats/effect_keys.h"
#include "hooklib/appearance.h"
#include "hooklib/win/effect_timer.h"
#include "hooklib/win/fx_tracking.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/residency.h"
#include "hooklib/win/settings_reads.h"
#include "hooklib/win/window_props.h"
#include "hooklib/window_kinds.h"

#include "common/win/monitors.h"

namespace zrv::fx {
namespace {

int useKey(const keys::IntKey& key) noexcept { return readUseKey(key.name, key.libraryDefault); }

// A negative rate read from the file would become an interval of weeks and
// leave the window nearly invisible; it runs at the platform's fastest rate.
UINT timerInterval(int rate) noexcept { return rate < 0 ? 0u : static_cast<UINT>(rate); }

appearance::Rect rectOf(const RECT& r) noexcept { return {r.left, r.top, r.right, r.bottom}; }

void startFade(HWND wnd, std::uint32_t style) noexcept {
    RECT r = {};
    GetWindowRect(wnd, &r);
    appearance::FadeRules rules;
    rules.smallOnly = useKey(keys::kSmallOnly);
    rules.nonSize = useKey(keys::kNonSize);
    rules.semiTrans = useKey(keys::kSemiTrans);
    if (!appearance::fadeEligible(rules, r.right - r.left, r.bottom - r.top, style))
        return;
    if (!addLayeredStyle(wnd))
        return;
    setOpacity(wnd, appearance::kFadeStartOpacity);
    props::setInt(wnd, props::kFadeLevel, appearance::kFadeStartLevel);
    if (startEffectTimer(wnd, TIMER_FADE, timerInterval(useKey(keys::kFadeRate)))) {
        residency::holdFor(wnd, HeldWindows::kFade);
    } else {
        // No timer, no fade: the window is given back opaque at once.
        props::remove(wnd, props::kFadeLevel);
        removeLayeredStyle(wnd);
        residency::releaseFor(wnd, HeldWindows::kFade);
    }
}

void startSlide(HWND wnd, std::uint32_t exStyle) noexcept {
    appearance::SlideRules rules;
    rules.slide = useKey(keys::kSlide);
    if (rules.slide != 1)
        return;
    HWND owner = GetWindow(wnd, GW_OWNER);
    rules.slideTool = useKey(keys::kSlideTool);
    if (!appearance::slideEligible(rules, owner && IsWindowVisible(owner),
                                   kinds::isToolWindow(exStyle)))
        return;
    // From the edge of the window's own monitor, or from its owner; either
    // way it stays on the monitor it slides on.
    RECT w = {};
    GetWindowRect(wnd, &w);
    appearance::Rect ref;
    zt::Monitor monitor;
    if (useKey(keys::kSlideScreen) != 0) {
        monitor = zt::win::monitorOfWindow(wnd);
        ref = monitor.work;
    } else {
        RECT o = {};
        GetWindowRect(owner, &o);
        ref = rectOf(o);
        monitor = zt::win::monitorOfWindow(owner);
    }
    const bool fromBottom = useKey(keys::kSlideFrom) == 1;
    const appearance::SlideStart start = appearance::slideStart(
        ref, rectOf(w), fromBottom, {monitor.bounds.left, monitor.bounds.top});
    MoveWindow(wnd, start.x, start.y, w.right - w.left, w.bottom - w.top, TRUE);
    props::setInt(wnd, props::kSlideTotal, start.step);
    props::setInt(wnd, props::kSlideStep, start.step);
    if (startEffectTimer(wnd, TIMER_SLIDE, timerInterval(useKey(keys::kSlideRate)))) {
        residency::holdFor(wnd, HeldWindows::kSlide);
    } else {
        MoveWindow(wnd, w.left, w.top, w.right - w.left, w.bottom - w.top, TRUE);
        props::remove(wnd, props::kSlideStep);
        props::remove(wnd, props::kSlideTotal);
        residency::releaseFor(wnd, HeldWindows::kSlide);
    }
}

} // namespace

void onShowWindow(HWND wnd) noexcept {
    if (!wnd || !IsWindow(wnd) || isEffectWindow(wnd))
        return;
    const auto style = static_cast<std::uint32_t>(GetWindowLongA(wnd, GWL_STYLE));
    if (kinds::isChild(style))
        return;
    const auto exStyle = static_cast<std::uint32_t>(GetWindowLongA(wnd, GWL_EXSTYLE));
    const ProcessState& s = state();
    const bool captioned = kinds::isCaptionedTopLevel(style);
    if (s.settings.appTransparent) {
        if (s.setLayeredWindowAttributes && addLayeredStyle(wnd))
            setOpacity(wnd, s.settings.appOpacity);
    } else if (captioned && s.setLayeredWindowAttributes) {
        startFade(wnd, style);
    }
    if (captioned)
        startSlide(wnd, exStyle);
}

} // namespace zrv::fx
