// Translucent window dragging and maximize to set size.
#include "hooklib/win/fx_drag.h"

#include "formats/effect_keys.h"
#include "hooklib/maximize_placement.h"
#include "hooklib/win/dib.h"
#include "hooklib/win/effect_timer.h"
#include "hooklib/win/process_state.h"
#include "hooklib/win/settings_reads.h"
#include "hooklib/win/window_props.h"
#include "hooklib/win/zrv_exports.h"
#include "hooklib/window_kinds.h"

#include "common/win/monitors.h"
#include "common/win/scoped.h"

namespace zrv::fx {
namespace {

constexpr WPARAM kSysMove = 0xF010;
constexpr WPARAM kSysCommandMask = 0xFFF0;
constexpr UINT kRepaintAll = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME;

std::uint32_t styleOf(HWND wnd) noexcept {
    return static_cast<std::uint32_t>(GetWindowLongA(wnd, GWL_STYLE));
}
std::uint32_t exStyleOf(HWND wnd) noexcept {
    return static_cast<std::uint32_t>(GetWindowLongA(wnd, GWL_EXSTYLE));
}

int useKey(const keys::IntKey& key) noexcept { return readUseKey(key.name, key.libraryDefault); }

// Both layered functions: the picture goes on screen through the one, and the
// effect is keyed on the presence of the other.
bool dragPossible() noexcept {
    const ProcessState& s = state();
    return s.settings.semiDrag && s.setLayeredWindowAttributes && s.updateLayeredWindow &&
           s.lastCommandWasMove.load();
}

// Takes the screen at `r` (the window's own picture while it is on top) into
// a new bitmap selected into a new memory context, and hangs both on the
// window, marked as the library's. False, with nothing left behind, when any
// step fails.
bool takePicture(HWND wnd, const RECT& r, HDC* memOut) noexcept {
    const int w = r.right - r.left, h = r.bottom - r.top;
    zt::ScopedWindowDc screen(nullptr);
    if (!screen)
        return false;
    // The bitmap's owner is made before the context's, so that on a failure
    // the context goes first and the bitmap is no longer selected into it
    // when it is deleted (a selected bitmap is not freed).
    std::uint32_t* pixels = nullptr;
    zt::ScopedBitmap bmp(makeDib32(screen.get(), w, h, &pixels));
    zt::ScopedMemDc mem(CreateCompatibleDC(screen.get()));
    if (!mem || !bmp || !SelectObject(mem.get(), bmp.get()))
        return false;
    if (!BitBlt(mem.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY))
        return false;
    GdiFlush();
    // The blend asks for no per-pixel alpha, but some layered-window
    // implementations (with a compositor) take the alpha bytes all the same,
    // and a screen copy leaves them 0: the window would vanish. Opaque
    // bytes give the same picture either way.
    const std::size_t count = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    for (std::size_t i = 0; i < count; ++i)
        pixels[i] |= 0xFF000000u;
    // The mark first: "HH" and "HH2" are released later only under it.
    if (!props::setInt(wnd, props::kOwnDragPicture, 1) ||
        !SetPropA(wnd, props::kSnapshot, bmp.get()) ||
        !SetPropA(wnd, props::kSnapshotDc, mem.get())) {
        props::remove(wnd, props::kSnapshot);
        props::remove(wnd, props::kOwnDragPicture);
        return false;
    }
    // The window owns both now; the drag end releases them.
    bmp.release();
    *memOut = mem.release();
    return true;
}

// "HH" or "HH2" that the library did not put there: the program's own.
bool carriesProgramsPicture(HWND wnd) noexcept {
    return !props::has(wnd, props::kOwnDragPicture) &&
           (props::has(wnd, props::kSnapshot) || props::has(wnd, props::kSnapshotDc));
}

bool showPicture(HWND wnd, HDC mem, const RECT& r) noexcept {
    BLENDFUNCTION blend = {};
    blend.BlendOp = AC_SRC_OVER;
    // An opacity keeps its low 8 bits, as every opacity key does.
    blend.SourceConstantAlpha = static_cast<BYTE>(useKey(keys::kSemiDragVal) & 0xFF);
    blend.AlphaFormat = 0;
    SIZE size = {r.right - r.left, r.bottom - r.top};
    POINT origin = {0, 0};
    // Off while the style changes, so the window does not paint itself
    // opaque over its picture in between.
    SendMessageA(wnd, WM_SETREDRAW, FALSE, 0);
    const bool layered = addLayeredStyle(wnd);
    if (layered)
        state().updateLayeredWindow(wnd, nullptr, nullptr, &size, mem, &origin, 0, &blend,
                                    ULW_ALPHA);
    SendMessageA(wnd, WM_SETREDRAW, TRUE, 0);
    return layered;
}

// The procedure a window had before the maximize subclass, in the kind
// (Unicode or ANSI) that matches the window.
WNDPROC windowProcOf(HWND wnd, bool unicode) noexcept {
    return reinterpret_cast<WNDPROC>(unicode ? GetWindowLongPtrW(wnd, GWLP_WNDPROC)
                                             : GetWindowLongPtrA(wnd, GWLP_WNDPROC));
}

// Replacing a procedure through the other kind's function would turn a
// Unicode window into an ANSI one for good, and its text would pass through
// the code page from then on.
void setWindowProc(HWND wnd, bool unicode, WNDPROC proc) noexcept {
    const auto value = reinterpret_cast<LONG_PTR>(proc);
    if (unicode)
        SetWindowLongPtrW(wnd, GWLP_WNDPROC, value);
    else
        SetWindowLongPtrA(wnd, GWLP_WNDPROC, value);
}

void adjustRecord(HWND wnd, MINMAXINFO* info) noexcept {
    if (!info)
        return;
    maxsize::Inputs in;
    static constexpr const keys::IntKey* kSize[] = {&keys::kMaxWidth, &keys::kMaxHeight,
                                                    &keys::kMaxLeft};
    int size[3] = {};
    readUseKeys(kSize, size, 3);
    in.width = size[0];
    in.height = size[1];
    in.maxLeft = size[2];
    in.style = styleOf(wnd);
    RECT now = {};
    GetWindowRect(wnd, &now);
    in.currentCorner = {now.left, now.top};
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    if (GetWindowPlacement(wnd, &wp))
        in.restoredCorner = {wp.rcNormalPosition.left, wp.rcNormalPosition.top};
    else
        in.restoredCorner = in.currentCorner;
    in.monitor = zt::win::monitorOfWindow(wnd);
    maxsize::Placement p = maxsize::maximizedPlacement(in);
    // Only a platform that moves the record needs the primary monitor: the
    // question costs a lookup at every WM_GETMINMAXINFO, which a resize sends
    // at every step.
    if (state().platformMovesMaximizeRecord)
        p = maxsize::recordFor(p, in.monitor, zt::win::primaryMonitor().bounds, true);
    info->ptMaxSize = {p.size.x, p.size.y};
    info->ptMaxPosition = {p.position.x, p.position.y};
}

} // namespace

void onSysCommand(WPARAM wParam) noexcept {
    state().lastCommandWasMove.store((wParam & kSysCommandMask) == kSysMove);
}

void onEnterSizeMove(HWND wnd) noexcept {
    if (!wnd || !dragPossible())
        return;
    if (!kinds::isCaptionedTopLevel(styleOf(wnd)) || kinds::isLayered(exStyleOf(wnd)))
        return;
    // The program's own properties of these names are neither replaced nor
    // released: such a window is dragged as it is.
    if (carriesProgramsPicture(wnd))
        return;
    // A picture left from a drag that never ended must not leak.
    releaseDragPicture(wnd);
    RECT r = {};
    if (!GetWindowRect(wnd, &r) || r.right <= r.left || r.bottom <= r.top)
        return;
    state().dragStart = r;
    HDC mem = nullptr;
    if (!takePicture(wnd, r, &mem))
        return;
    if (!showPicture(wnd, mem, r)) {
        releaseDragPicture(wnd);
        return;
    }
    if (!state().settings.ghostDrag)
        RedrawWindow(GetDesktopWindow(), &r, nullptr, kRepaintAll);
}

void onExitSizeMove(HWND wnd) noexcept {
    // The library's picture alone says the drag started here. Neither a
    // system command seen by another thread during the move nor a settings
    // reload may keep the window frozen and translucent once the move is over.
    if (!wnd || !kinds::isCaptionedTopLevel(styleOf(wnd)) ||
        !props::has(wnd, props::kOwnDragPicture))
        return;
    removeLayeredStyle(wnd);
    releaseDragPicture(wnd);
    RedrawWindow(wnd, nullptr, nullptr, kRepaintAll);
    if (state().settings.ghostDrag) {
        const RECT r = state().dragStart;
        RedrawWindow(GetDesktopWindow(), &r, nullptr, kRepaintAll);
    }
}

void releaseDragPicture(HWND wnd) noexcept {
    // Only what the library made: a program may keep properties of the same
    // names on its own windows, and their objects are its own.
    if (!wnd || !props::has(wnd, props::kOwnDragPicture))
        return;
    HANDLE dc = GetPropA(wnd, props::kSnapshotDc);
    HANDLE bmp = GetPropA(wnd, props::kSnapshot);
    // All go: a property naming a deleted context would be a dangling value
    // on somebody else's window.
    props::remove(wnd, props::kSnapshotDc);
    props::remove(wnd, props::kSnapshot);
    props::remove(wnd, props::kOwnDragPicture);
    // The context first: the picture is still selected into it. Each is
    // released only while it still is an object of its kind.
    if (dc && GetObjectType(dc) == OBJ_MEMDC)
        DeleteDC(static_cast<HDC>(dc));
    if (bmp && GetObjectType(bmp) == OBJ_BITMAP)
        DeleteObject(static_cast<HGDIOBJ>(bmp));
}

void onGetMinMaxInfoBefore(HWND wnd) noexcept {
    // Only a captioned top-level window has its record adjusted: any other
    // would be subclassed for nothing. Its style is looked at before the
    // setting, which is looked at before any property.
    if (!wnd || !IsWindow(wnd) || !kinds::isCaptionedTopLevel(styleOf(wnd)) ||
        useKey(keys::kMaxLimitUse) != 1)
        return;
    const bool unicode = IsWindowUnicode(wnd) != FALSE;
    WNDPROC previous = windowProcOf(wnd, unicode);
    // Already waiting for its message (a query nested in another): taking
    // the stub itself as the previous procedure would make it call itself.
    if (!previous || previous == stubPatch || props::has(wnd, props::kPrevProc))
        return;
    if (!SetPropA(wnd, props::kPrevProc, reinterpret_cast<HANDLE>(previous)))
        return;
    setWindowProc(wnd, unicode, stubPatch);
}

void onGetMinMaxInfoAfter(HWND wnd, LPARAM lParam) noexcept {
    if (wnd && kinds::isCaptionedTopLevel(styleOf(wnd)))
        adjustRecord(wnd, reinterpret_cast<MINMAXINFO*>(lParam));
}

LRESULT maximizeStub(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    // The stub was installed through the function of the window's own kind,
    // so the window still reports that kind, and the message comes in it.
    const bool unicode = IsWindowUnicode(wnd) != FALSE;
    auto previous = reinterpret_cast<WNDPROC>(GetPropA(wnd, props::kPrevProc));
    props::remove(wnd, props::kPrevProc);
    if (!previous) {
        // Reached without a recorded procedure (another subclass kept the
        // stub as its own previous one): there is nothing to put back.
        return unicode ? DefWindowProcW(wnd, msg, wParam, lParam)
                       : DefWindowProcA(wnd, msg, wParam, lParam);
    }
    setWindowProc(wnd, unicode, previous);
    const LRESULT result = unicode ? CallWindowProcW(previous, wnd, msg, wParam, lParam)
                                   : CallWindowProcA(previous, wnd, msg, wParam, lParam);
    if (msg == WM_GETMINMAXINFO && kinds::isCaptionedTopLevel(styleOf(wnd)))
        adjustRecord(wnd, reinterpret_cast<MINMAXINFO*>(lParam));
    return result;
}

} // namespace zrv::fx

extern "C" LRESULT CALLBACK stubPatch(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    return zrv::fx::maximizeStub(wnd, msg, wParam, lParam);
}
