// The shadow windows themselves: they are shaped by the hook side and paint
// themselves here, either as per-pixel alpha layered windows (real shadows)
// or as opaque windows painted in their frame.
#include "hooklib/shadow_image.h"
#include "hooklib/win/dib.h"
#include "hooklib/win/effects.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/residency.h"
#include "hooklib/win/shadow_win.h"
#include "hooklib/win/window_props.h"

#include "common/win/scoped.h"

namespace zrv::fx {
namespace {

using shadow::Shade;
using shadow::Side;

constexpr LRESULT kNothingErased = 99;
constexpr COLORREF kShadowColourKey = 0xFFFFFF;

Side sideOf(HWND wnd) noexcept {
    return props::getInt(wnd, props::kRightShadow) == 1 ? Side::Right : Side::Bottom;
}

bool graded() noexcept { return !state().settings.constantShade; }

BYTE currentOpacity(HWND wnd) noexcept {
    return shadow::realShadowOpacity(state().settings.shadowOpacity,
                                     props::has(wnd, props::kAlpha),
                                     static_cast<std::uint32_t>(props::getInt(wnd, props::kAlpha)));
}

BLENDFUNCTION blendFor(BYTE opacity) noexcept {
    BLENDFUNCTION b = {};
    b.BlendOp = AC_SRC_OVER;
    b.SourceConstantAlpha = opacity;
    b.AlphaFormat = graded() ? AC_SRC_ALPHA : 0;
    return b;
}

// Renders this shadow's picture into a new bitmap selected into `mem`.
HBITMAP renderInto(HWND wnd, HDC mem, int w, int h, Shade shade) noexcept {
    std::uint32_t* bits = nullptr;
    HBITMAP bmp = makeDib32(mem, w, h, &bits);
    if (!bmp)
        return nullptr;
    shadow::Region region;
    const shadowwin::RegionRead read = shadowwin::windowRegion(wnd, region);
    if (read == shadowwin::RegionRead::Failed ||
        !shadow::renderShadow(sideOf(wnd), shade, w, h,
                              read == shadowwin::RegionRead::Read ? &region : nullptr,
                              bits)) {
        DeleteObject(bmp);
        return nullptr;
    }
    state().shadowRebuilds.fetch_add(1);
    return bmp;
}

void rebuildReal(HWND wnd, LPARAM lParam) noexcept;

void applyAlpha(HWND wnd) noexcept {
    ProcessState& s = state();
    if (s.settings.realShadows && s.updateLayeredWindow) {
        // The picture goes again with the new blend: some layered-window
        // implementations ignore an update that brings only a blend, and the
        // shadow would then stay at its old opacity through a fade. Making
        // the picture costs a fraction of a millisecond.
        rebuildReal(wnd, 0);
    } else if (s.setLayeredWindowAttributes) {
        const BYTE opacity = shadow::opaqueShadowOpacity(
            static_cast<std::uint32_t>(props::getInt(wnd, props::kAlpha)));
        s.lastShadowOpacity.store(opacity);
        s.setLayeredWindowAttributes(wnd, kLayerColourKey, opacity, kLayerAlphaFlag);
    }
}

void rebuildReal(HWND wnd, LPARAM lParam) noexcept {
    ProcessState& s = state();
    shadowwin::PaintTurn turn;
    if (!turn.held())
        return;
    RECT r = {};
    if (!shadowwin::reshapeRect(lParam, r))
        GetWindowRect(wnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return; // a window too small for a shadow has nothing to show
    zt::ScopedMemDc mem(CreateCompatibleDC(nullptr));
    if (!mem)
        return;
    zt::ScopedBitmap bmp(renderInto(wnd, mem.get(), w, h, graded() ? Shade::GradedAlpha
                                                                    : Shade::Uniform));
    if (!bmp)
        return;
    zt::ScopedSelect selected(mem.get(), bmp.get());
    POINT at = {r.left, r.top}, origin = {0, 0};
    SIZE size = {w, h};
    BLENDFUNCTION blend = blendFor(currentOpacity(wnd));
    s.lastShadowOpacity.store(blend.SourceConstantAlpha);
    SetPropA(wnd, props::kBitmap, bmp.get());
    s.updateLayeredWindow(wnd, nullptr, &at, &size, mem.get(), &origin, kShadowColourKey, &blend,
                          ULW_ALPHA);
    // The bitmap goes with this scope; the property must not name it after.
    props::remove(wnd, props::kBitmap);
}

void rebuild(HWND wnd, LPARAM lParam) noexcept {
    const ProcessState& s = state();
    if (s.settings.realShadows && s.updateLayeredWindow)
        rebuildReal(wnd, lParam);
    else
        RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void paintOpaque(HWND wnd) noexcept {
    shadowwin::PaintTurn turn;
    if (!turn.held())
        return;
    RECT r = {};
    GetWindowRect(wnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    zt::ScopedWindowDc dc = zt::ScopedWindowDc::whole(wnd);
    if (!dc || w <= 0 || h <= 0)
        return;
    if (!graded()) {
        RECT all = {0, 0, w, h};
        FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        state().shadowRebuilds.fetch_add(1);
        return;
    }
    zt::ScopedMemDc mem(CreateCompatibleDC(dc.get()));
    if (!mem)
        return;
    zt::ScopedBitmap bmp(renderInto(wnd, mem.get(), w, h, Shade::GradedGrey));
    if (!bmp)
        return;
    zt::ScopedSelect selected(mem.get(), bmp.get());
    BitBlt(dc.get(), 0, 0, w, h, mem.get(), 0, 0, SRCCOPY);
}

void closeShadow(HWND wnd) noexcept {
    props::remove(wnd, props::kRightShadow);
    if (HGDIOBJ bmp = GetPropA(wnd, props::kBitmap))
        DeleteObject(bmp);
    props::remove(wnd, props::kAlpha);
    props::remove(wnd, props::kBitmap);
    DestroyWindow(wnd);
}

} // namespace

LRESULT CALLBACK ShadowWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    residency::onEffectWindowMessage(msg);
    const ProcessState& s = state();
    if (msg == s.hookMessage && msg != 0) {
        if (wParam == HOOKCMD_ALPHA)
            applyAlpha(wnd);
        else if (wParam == HOOKCMD_RESHAPE)
            rebuild(wnd, lParam);
        else
            closeShadow(wnd);
        return 0;
    }
    switch (msg) {
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_NCPAINT:
        if (!(s.settings.realShadows && s.updateLayeredWindow))
            paintOpaque(wnd);
        return 0;
    case WM_ERASEBKGND:
        return kNothingErased;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(wnd, &ps);
        EndPaint(wnd, &ps);
        return 0;
    }
    default:
        return DefWindowProcA(wnd, msg, wParam, lParam);
    }
}

} // namespace zrv::fx
