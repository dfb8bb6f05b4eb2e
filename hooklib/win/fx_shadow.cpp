// Window shadows, the hook side: each shadowed window gets a right and a
// bottom "VelkShadow" window in its own thread, which follow it as it moves,
// hide and show with it, and are rebuilt when its size changes.
#include "hooklib/win/fx_shadow.h"

#include "formats/effect_keys.h"
#include "hooklib/win/effect_timer.h"
#include "hooklib/win/fx_tracking.h"
#include "hooklib/win/layering.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/settings_reads.h"
#include "hooklib/win/shadow_regions.h"
#include "hooklib/win/window_props.h"
#include "hooklib/window_kinds.h"

#include "common/win/scoped.h"

#include <initializer_list>

namespace zrv::fx {
namespace {

using shadow::Rect;
using shadow::Side;

constexpr DWORD kShadowStyle = WS_POPUP | WS_CLIPSIBLINGS; // 0x84000000
constexpr DWORD kRealShadowExStyle = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW;
constexpr DWORD kOpaqueShadowExStyle = WS_EX_TOOLWINDOW;
// Moving a shadow with its owner: no activation, no owner reordering, no
// changing message, and no waiting on the shadow's thread.
constexpr UINT kFollowFlags =
    SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING | SWP_ASYNCWINDOWPOS; // 0x4610

bool realShadows() noexcept {
    return state().settings.realShadows && state().updateLayeredWindow;
}

shadow::ShadowParams params() noexcept {
    return {state().settings.shadowExtent, state().settings.shadowOffset};
}

bool visibleStyle(HWND wnd) noexcept {
    return kinds::isVisibleStyle(static_cast<std::uint32_t>(GetWindowLongA(wnd, GWL_STYLE)));
}

// What giving a shadow its outline came to.
enum class Shaped {
    New,  // it has a new outline
    Same, // it already had this one, and was left as it was
    Kept, // out of memory: it keeps its last outline
};

// Gives `shadow` its outline for `owner` as it is now. Setting a window's
// region is one of the dearest things done on a resize, and a resize along
// one edge leaves one of the two outlines as it was.
Shaped shapeShadow(HWND shadowWnd, Side side, HWND owner, const Rect& outer) noexcept {
    shadow::Region ownerRegion;
    const shadowwin::RegionRead read = shadowwin::windowRegion(owner, ownerRegion);
    if (read == shadowwin::RegionRead::Failed)
        return Shaped::Kept;
    const shadow::Region shape = shadow::shape(
        side, outer, params(), read == shadowwin::RegionRead::Read ? &ownerRegion : nullptr);
    zt::ScopedRegion rgn(shadowwin::toPlatformRegion(shape));
    if (!rgn)
        return Shaped::Kept;
    zt::ScopedRegion current(CreateRectRgn(0, 0, 0, 0));
    if (current && GetWindowRgn(shadowWnd, current.get()) != ERROR &&
        EqualRgn(current.get(), rgn.get()))
        return Shaped::Same;
    if (!SetWindowRgn(shadowWnd, rgn.get(), TRUE))
        return Shaped::Kept;
    rgn.release(); // the window owns the region from here on
    return Shaped::New;
}

bool ownerHasRegion(HWND owner) noexcept { return shadowwin::hasWindowRegion(owner); }

bool startsFaded(HWND owner, const Rect& outer) noexcept {
    shadow::FadeInputs in;
    in.haveSetLayeredAttributes = state().setLayeredWindowAttributes != nullptr;
    if (in.haveSetLayeredAttributes) {
        in.smallOnly = readUseKey(keys::kSmallOnly.name, keys::kSmallOnly.libraryDefault);
        in.nonSize = readUseKey(keys::kNonSize.name, keys::kNonSize.libraryDefault);
        in.semiTrans = readUseKey(keys::kSemiTrans.name, keys::kSemiTrans.libraryDefault);
    }
    in.width = outer.width();
    in.height = outer.height();
    in.style = static_cast<std::uint32_t>(GetWindowLongA(owner, GWL_STYLE));
    return shadow::shadowStartsFaded(in);
}

// Steps 5 to 9 of a shadow's birth: its starting opacity, its settle timer,
// its first placement under the owner and its first picture.
void bringUp(HWND shadowWnd, HWND owner, const Rect& place, bool faded) noexcept {
    const ProcessState& s = state();
    if (faded)
        props::setInt(shadowWnd, props::kAlpha, 1);
    if (!realShadows() && s.updateLayeredWindow && s.setLayeredWindowAttributes)
        s.setLayeredWindowAttributes(shadowWnd, kLayerColourKey, faded ? 1 : 255,
                                     kLayerAlphaFlag);
    startEffectTimer(shadowWnd, TIMER_SHADOW_SETTLE, kShadowSettleInterval);
    if (visibleStyle(owner))
        SetWindowPos(shadowWnd, owner, place.left, place.top, place.width(), place.height(),
                     SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_SHOWWINDOW);
    shadowwin::sendReshape(shadowWnd, nullptr);
}

HWND createShadow(const Rect& at) noexcept {
    return CreateWindowExA(realShadows() ? kRealShadowExStyle : kOpaqueShadowExStyle,
                           kinds::kShadowClass, "", kShadowStyle, at.left, at.top,
                           at.width(), at.height(), nullptr, nullptr, state().hostInstance,
                           nullptr);
}

void createShadows(HWND owner) noexcept {
    const Rect outer = shadowwin::outerRect(owner);
    const shadow::ShadowParams p = params();
    const bool hasRegion = ownerHasRegion(owner);

    HWND right = createShadow(shadow::creationRect(Side::Right, outer, p));
    if (!right)
        return;
    props::setInt(right, props::kRightShadow, 1);
    props::setWindow(owner, props::kShadowRight, right);
    shapeShadow(right, Side::Right, owner, outer);
    const bool faded = startsFaded(owner, outer);
    bringUp(right, owner, shadow::placement(Side::Right, outer, p, hasRegion), faded);

    HWND bottom = createShadow(shadow::creationRect(Side::Bottom, outer, p));
    if (!bottom)
        return;
    props::setWindow(owner, props::kShadowBottom, bottom);
    bringUp(bottom, owner, shadow::placement(Side::Bottom, outer, p, hasRegion), faded);
    shapeShadow(bottom, Side::Bottom, owner, outer);
    // The pictures just made fit this size: the next plain move must not
    // rebuild them.
    props::setInt(owner, props::kWidth, outer.width());
    props::setInt(owner, props::kHeight, outer.height());
}

bool sizedAs(HWND wnd, const Rect& place) noexcept {
    RECT r = {};
    return GetWindowRect(wnd, &r) && r.right - r.left == place.width() &&
           r.bottom - r.top == place.height();
}

// Whether moving `shadowWnd` behind `insertAfter` would leave the Z order as
// it is: the shadow is already right behind the owner (or at the top), or
// right behind the owner's other shadow which is. The order of the two
// shadows between themselves shows nowhere: their shapes do not meet.
bool stackedInPlace(HWND shadowWnd, HWND other, HWND insertAfter) noexcept {
    if (insertAfter == HWND_TOP) {
        HWND above = GetWindow(shadowWnd, GW_HWNDPREV);
        if (above && above == other)
            above = GetWindow(above, GW_HWNDPREV);
        return above == nullptr;
    }
    HWND below = GetWindow(insertAfter, GW_HWNDNEXT);
    if (below && below == other && below != shadowWnd)
        below = GetWindow(below, GW_HWNDNEXT);
    return below == shadowWnd;
}

void follow(HWND shadowWnd, HWND other, Side side, HWND owner, HWND insertAfter,
            const Rect& outer, bool hasRegion, bool changed) noexcept {
    if (!shadowWnd || !IsWindow(shadowWnd))
        return;
    const Rect place = shadow::placement(side, outer, params(), hasRegion);
    const bool stacked = stackedInPlace(shadowWnd, other, insertAfter);
    if (changed && realShadows()) {
        // A shadow whose own size and outline stay as they were (the right
        // one when only the width changes, the bottom one when only the
        // height does) shows the same picture: it is only moved, below.
        // Otherwise the new picture goes with its own position and size: the
        // window is then moved once instead of twice, and only restacked
        // when it is not already in its place.
        const bool sameLook = shapeShadow(shadowWnd, side, owner, outer) == Shaped::Same &&
                              sizedAs(shadowWnd, place);
        if (!sameLook) {
            if (shadowwin::sendReshape(shadowWnd, &place) && stacked)
                return;
            SetWindowPos(shadowWnd, insertAfter, place.left, place.top, place.width(),
                         place.height(), kFollowFlags);
            return;
        }
        changed = false;
    }
    // A shadow already in its place in the Z order is only moved: the window
    // system then has no restacking to do.
    SetWindowPos(shadowWnd, insertAfter, place.left, place.top, place.width(), place.height(),
                 stacked ? kFollowFlags | SWP_NOZORDER : kFollowFlags);
    if (changed) {
        shapeShadow(shadowWnd, side, owner, outer);
        shadowwin::sendReshape(shadowWnd, &place);
    }
}

void updateShadows(HWND owner, HWND right) noexcept {
    const Rect outer = shadowwin::outerRect(owner);
    const bool changed = props::getInt(owner, props::kWidth) != outer.width() ||
                         props::getInt(owner, props::kHeight) != outer.height();
    if (changed) {
        props::setInt(owner, props::kWidth, outer.width());
        props::setInt(owner, props::kHeight, outer.height());
    }
    HWND insertAfter = GetForegroundWindow() == owner ? HWND_TOP : owner;
    const bool hasRegion = ownerHasRegion(owner);
    HWND bottom = props::getWindow(owner, props::kShadowBottom);
    follow(right, bottom, Side::Right, owner, insertAfter, outer, hasRegion, changed);
    follow(bottom, right, Side::Bottom, owner, insertAfter, outer, hasRegion, changed);
}

} // namespace

bool onWindowPosChanging(HWND wnd, LPARAM lParam) noexcept {
    if (!wnd || !lParam)
        return false;
    // Every position change of every window comes here: a window without a
    // right shadow has no bottom one either (the right one is made first and
    // both go together), and its second property read is saved.
    HWND right = props::getWindow(wnd, props::kShadowRight);
    HWND bottom = right ? props::getWindow(wnd, props::kShadowBottom) : nullptr;
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
    if (shadow::shadowsHidden(visibleStyle(wnd), pos->flags)) {
        for (HWND sh : {right, bottom})
            if (sh && IsWindow(sh))
                ShowWindow(sh, SW_HIDE);
        return true;
    }
    // Shown without activation: a shadow must never take the focus from the
    // window it belongs to.
    for (HWND sh : {right, bottom})
        if (sh && IsWindow(sh) && !visibleStyle(sh))
            ShowWindow(sh, SW_SHOWNA);
    return false;
}

void onWindowPosChanged(HWND wnd) noexcept {
    // The library's own windows first: every move of a shadowed window moves
    // its two shadows, and their messages come here too. Each property read
    // is a round trip to the window server on some platforms: the shadow is
    // looked up once.
    if (!wnd || isEffectWindow(wnd) || !IsWindow(wnd))
        return;
    HWND right = props::getWindow(wnd, props::kShadowRight);
    const bool hasShadows = right != nullptr;
    if (!kinds::isShadowCandidate(static_cast<std::uint32_t>(GetWindowLongA(wnd, GWL_STYLE)),
                                  static_cast<std::uint32_t>(GetWindowLongA(wnd, GWL_EXSTYLE)),
                                  GetParent(wnd) != nullptr, hasShadows))
        return;
    trackWindow(wnd);
    if (!hasShadows)
        createShadows(wnd);
    else
        updateShadows(wnd, right);
}

} // namespace zrv::fx
