// The shadow windows themselves: they are shaped by the hook side and paint
// themselves here, either as per-pixel alpha layered windows (real shadows)
// or as opaque windows painted in their frame.
#include "hooklib/win/shadow_window.h"

#include "hooklib/shadow_image.h"
#include "hooklib/win/dib.h"
#include "hooklib/win/hook_commands.h"
#include "hooklib/win/layering.h"
#include "hooklib/win/observations.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/residency.h"
#include "hooklib/win/shadow_regions.h"
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

// Renders this shadow's picture into `pixels`, rows `stride` pixels apart.
bool renderPicture(HWND wnd, int w, int h, Shade shade, std::uint32_t* pixels,
                   int stride) noexcept {
    shadow::Region region;
    const shadowwin::RegionRead read = shadowwin::windowRegion(wnd, region);
    if (read == shadowwin::RegionRead::Failed ||
        !shadow::renderShadow(sideOf(wnd), shade, w, h,
                              read == shadowwin::RegionRead::Read ? &region : nullptr, pixels,
                              stride))
        return false;
    noteShadowRebuilt();
    return true;
}

// Renders this shadow's picture into a new bitmap selected into `mem`.
HBITMAP renderInto(HWND wnd, HDC mem, int w, int h, Shade shade) noexcept {
    std::uint32_t* bits = nullptr;
    zt::ScopedBitmap bmp(makeDib32(mem, w, h, &bits));
    if (!bmp || !renderPicture(wnd, w, h, shade, bits, w))
        return nullptr;
    return static_cast<HBITMAP>(bmp.release());
}

// The bitmap a real shadow keeps between rebuilds, named by its "BM"
// property: each rebuild of a resizing window would otherwise make and free
// one, at a cost that shows on every step of the resize. It is reused while
// it holds the picture and is not far larger than it.
struct Canvas {
    HBITMAP bmp = nullptr;
    std::uint32_t* pixels = nullptr;
    int stride = 0;
};

Canvas keptCanvas(HWND wnd, int w, int h) noexcept {
    const auto bmp = static_cast<HBITMAP>(GetPropA(wnd, props::kBitmap));
    DIBSECTION ds = {};
    if (!bmp || GetObjectType(bmp) != OBJ_BITMAP ||
        GetObjectA(bmp, sizeof ds, &ds) != static_cast<int>(sizeof ds))
        return {};
    const LONG bw = ds.dsBm.bmWidth, bh = ds.dsBm.bmHeight < 0 ? -ds.dsBm.bmHeight
                                                               : ds.dsBm.bmHeight;
    if (ds.dsBm.bmBitsPixel != 32 || !ds.dsBm.bmBits || bw < w || bh < h ||
        std::int64_t{bw} * bh > 4 * (std::int64_t{w} * h + 4096))
        return {};
    return {bmp, static_cast<std::uint32_t*>(ds.dsBm.bmBits), static_cast<int>(bw)};
}

// A new bitmap with room to spare, so that a window growing by a few pixels
// at a time does not need another on every step.
Canvas newCanvas(HDC mem, int w, int h) noexcept {
    if (std::int64_t{w} * h > shadow::kMaxShadowPixels)
        return {}; // too large to be drawn at all
    const int bw = w + w / 8 + 8, bh = h + h / 8 + 8;
    Canvas c;
    c.bmp = makeDib32(mem, bw, bh, &c.pixels);
    if (!c.bmp) {
        // Out of room for the spare: exactly the picture, then.
        c.bmp = makeDib32(mem, w, h, &c.pixels);
        c.stride = w;
    } else {
        c.stride = bw;
    }
    return c;
}

// Frees the bitmap a shadow keeps; on every way a shadow goes.
void freeKeptBitmap(HWND wnd) noexcept {
    if (HGDIOBJ bmp = GetPropA(wnd, props::kBitmap))
        DeleteObject(bmp);
    props::remove(wnd, props::kBitmap);
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
        noteShadowOpacity(opacity);
        s.setLayeredWindowAttributes(wnd, kLayerColourKey, opacity, kLayerAlphaFlag);
    }
}

void rebuildReal(HWND wnd, LPARAM lParam) noexcept {
    ProcessState& s = state();
    shadowwin::PaintTurn turn;
    if (!turn.held())
        return;
    RECT r = {};
    const bool handed = shadowwin::reshapeRect(lParam, r);
    if (!handed)
        GetWindowRect(wnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return; // a window too small for a shadow has nothing to show
    zt::ScopedMemDc mem(CreateCompatibleDC(nullptr));
    if (!mem)
        return;
    Canvas canvas = keptCanvas(wnd, w, h);
    zt::ScopedBitmap fresh; // a new bitmap, until the shadow keeps it
    if (!canvas.bmp) {
        canvas = newCanvas(mem.get(), w, h);
        fresh.reset(canvas.bmp);
    }
    if (!canvas.bmp || !renderPicture(wnd, w, h, graded() ? Shade::GradedAlpha : Shade::Uniform,
                                      canvas.pixels, canvas.stride))
        return;
    if (fresh) {
        // The old bitmap goes once the shadow names the new one; if it
        // cannot name it, the new one goes with this scope instead.
        HGDIOBJ old = GetPropA(wnd, props::kBitmap);
        if (SetPropA(wnd, props::kBitmap, fresh.get())) {
            fresh.release();
            if (old)
                DeleteObject(old);
        }
    }
    zt::ScopedSelect selected(mem.get(), canvas.bmp);
    POINT at = {r.left, r.top}, origin = {0, 0};
    SIZE size = {w, h};
    BLENDFUNCTION blend = blendFor(currentOpacity(wnd));
    noteShadowOpacity(blend.SourceConstantAlpha);
    // The update moves and sizes the window as well: the hook side leaves a
    // rebuilt shadow's placement to it rather than move the window twice.
    if (s.updateLayeredWindow(wnd, nullptr, &at, &size, mem.get(), &origin, kShadowColourKey,
                              &blend, ULW_ALPHA) &&
        handed)
        shadowwin::notePlaced(lParam);
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
        noteShadowRebuilt();
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
    props::remove(wnd, props::kAlpha);
    DestroyWindow(wnd); // its kept bitmap goes at WM_NCDESTROY
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
    case WM_NCDESTROY:
        // However the shadow goes (closed, its thread ended, destroyed by
        // someone else), its bitmap goes with it.
        freeKeptBitmap(wnd);
        return DefWindowProcA(wnd, msg, wParam, lParam);
    case WM_WINDOWPOSCHANGED:
        // Nothing listens for a shadow's move or size messages, and each one
        // would pass through every message hook of the thread: a shadow
        // follows its owner on every move.
        return 0;
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
