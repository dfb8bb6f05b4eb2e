// Regions between the platform and the portable shapes, the rebuild
// rectangle and the painting turn.
#include "hooklib/win/shadow_regions.h"

#include "hooklib/win/hook_commands.h"
#include "hooklib/win/process_state.h"

#include "common/win/scoped.h"

#include <cstdlib>

namespace zrv::shadowwin {
namespace {

// The rectangle of the rebuild this thread is sending, and whether one is
// in flight.
thread_local RECT t_reshapeRect;
thread_local bool t_reshapePending = false;
thread_local bool t_reshapePlaced = false;

} // namespace

shadow::Rect outerRect(HWND wnd) noexcept {
    RECT r = {};
    GetWindowRect(wnd, &r);
    return {r.left, r.top, r.right, r.bottom};
}

bool hasWindowRegion(HWND wnd) noexcept {
    // The region's kind is all that is asked: nothing is copied out of it.
    zt::ScopedRegion rgn(CreateRectRgn(0, 0, 0, 0));
    return rgn && GetWindowRgn(wnd, rgn.get()) != ERROR;
}

namespace {

// A block for the region's data, released with its scope.
struct RegionData {
    explicit RegionData(std::size_t bytes) noexcept
        : data(static_cast<RGNDATA*>(std::malloc(bytes))) {}
    ~RegionData() { std::free(data); }
    RegionData(const RegionData&) = delete;
    RegionData& operator=(const RegionData&) = delete;
    RGNDATA* data;
};

} // namespace

RegionRead windowRegion(HWND wnd, shadow::Region& out) noexcept {
    zt::ScopedRegion rgn(CreateRectRgn(0, 0, 0, 0));
    if (!rgn)
        return RegionRead::Failed;
    if (GetWindowRgn(wnd, rgn.get()) == ERROR)
        return RegionRead::None;
    const DWORD bytes = GetRegionData(rgn.get(), 0, nullptr);
    if (bytes < sizeof(RGNDATAHEADER)) {
        out = {};
        return RegionRead::Read;
    }
    RegionData block(bytes);
    if (!block.data || GetRegionData(rgn.get(), bytes, block.data) == 0)
        return RegionRead::Failed;
    const DWORD count = block.data->rdh.nCount;
    if (count > (bytes - sizeof(RGNDATAHEADER)) / sizeof(RECT))
        return RegionRead::Failed;
    // RECT and the portable rectangle differ in type; copied one by one, in
    // place: four 32-bit values each.
    static_assert(sizeof(RECT) == sizeof(shadow::Rect), "same layout");
    auto* rects = reinterpret_cast<RECT*>(block.data->Buffer);
    auto* portable = reinterpret_cast<shadow::Rect*>(block.data->Buffer);
    for (DWORD i = 0; i < count; ++i) {
        const RECT r = rects[i];
        portable[i] = {r.left, r.top, r.right, r.bottom};
    }
    out = shadow::Region::fromRects(portable, count);
    return out.ok() ? RegionRead::Read : RegionRead::Failed;
}

HRGN toPlatformRegion(const shadow::Region& r) noexcept {
    if (!r.ok())
        return nullptr;
    const TryVector<shadow::Rect> rects = r.rects();
    if (rects.failed())
        return nullptr;
    if (rects.empty())
        return CreateRectRgn(0, 0, 0, 0);
    const std::size_t bytes = sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT);
    RegionData block(bytes);
    if (!block.data)
        return nullptr;
    RGNDATA* data = block.data;
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(rects.size());
    data->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    const shadow::Rect b = r.bounds();
    data->rdh.rcBound = {b.left, b.top, b.right, b.bottom};
    auto* out = reinterpret_cast<RECT*>(data->Buffer);
    for (std::size_t i = 0; i < rects.size(); ++i)
        out[i] = {rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
    return ExtCreateRegion(nullptr, static_cast<DWORD>(bytes), data);
}

bool sendReshape(HWND shadow, const shadow::Rect* place) noexcept {
    const UINT msg = state().hookMessage;
    if (!shadow || !msg)
        return false;
    if (!place) {
        SendMessageA(shadow, msg, HOOKCMD_RESHAPE, 0);
        return false;
    }
    // Saved and restored: the rebuild could in principle lead back here.
    const RECT savedRect = t_reshapeRect;
    const bool savedPending = t_reshapePending;
    const bool savedPlaced = t_reshapePlaced;
    t_reshapeRect = {place->left, place->top, place->right, place->bottom};
    t_reshapePending = true;
    t_reshapePlaced = false;
    SendMessageA(shadow, msg, HOOKCMD_RESHAPE, reinterpret_cast<LPARAM>(&t_reshapeRect));
    const bool placed = t_reshapePlaced;
    t_reshapeRect = savedRect;
    t_reshapePending = savedPending;
    t_reshapePlaced = savedPlaced;
    return placed;
}

bool reshapeRect(LPARAM lParam, RECT& out) noexcept {
    if (lParam == 0 || !t_reshapePending || lParam != reinterpret_cast<LPARAM>(&t_reshapeRect))
        return false;
    out = t_reshapeRect;
    return true;
}

void notePlaced(LPARAM lParam) noexcept {
    if (lParam != 0 && t_reshapePending && lParam == reinterpret_cast<LPARAM>(&t_reshapeRect))
        t_reshapePlaced = true;
}

PaintTurn::PaintTurn() noexcept {
    auto& busy = state().shadowPaintBusy;
    for (DWORD waited = 0; busy.exchange(true, std::memory_order_acquire);
         waited += kPaintTurnPollMs) {
        if (waited >= kPaintTurnLimitMs)
            return;
        Sleep(kPaintTurnPollMs);
    }
    held_ = true;
}

PaintTurn::~PaintTurn() {
    if (held_)
        state().shadowPaintBusy.store(false, std::memory_order_release);
}

} // namespace zrv::shadowwin
