// Named window properties: the per-window state the library attaches to
// foreign windows and to its own effect windows. Values are 32-bit handles or
// signed integers stored as the property's data.
#pragma once
#include <windows.h>

#include "hooklib/ascii_name.h"

#include <cstdint>

namespace zrv::props {

constexpr char kShadowRight[] = "SH1";   // a window's right shadow window
constexpr char kShadowBottom[] = "SH2";  // a window's bottom shadow window
constexpr char kWidth[] = "WIDTH";       // outer size when the shadows were placed
constexpr char kHeight[] = "HEIGHT";
constexpr char kRightShadow[] = "LLL";   // on a shadow window: 1 for the right one
constexpr char kAlpha[] = "ALP";         // on a shadow window: opacity factor 0-255
constexpr char kBitmap[] = "BM";         // on a shadow window: its last bitmap
constexpr char kMenuCover[] = "SM";      // on a menu: 1 while building, then its cover
constexpr char kCoverMenu[] = "SM2";     // on a menu cover: its menu
constexpr char kCoverItem[] = "fxItem";  // on a menu cover: 1 + the item it shows highlighted
constexpr char kSnapshot[] = "HH";       // snapshot bitmap (menu cover, dragged window)
constexpr char kSnapshotDc[] = "HH2";    // dragged window: the snapshot's memory DC
constexpr char kPrevProc[] = "PR";       // previous window procedure (maximize)
constexpr char kFadeLevel[] = "fxTimer4";
constexpr char kSlideStep[] = "fxTimer";
constexpr char kSlideTotal[] = "fxTotal";
constexpr char kSlideTotal2[] = "fxTotal2"; // never set; removed at destruction
// 1 while the window is layered because the library made it so: layering a
// program set itself is never taken away.
constexpr char kAddedLayer[] = "fxLayer";
// 1 while "HH" and "HH2" name the library's own drag picture and its memory
// context: a program's own properties of those names are never released.
constexpr char kOwnDragPicture[] = "fxDrag";

// Every property name the library may attach, for clean-up checks.
constexpr const char* kAll[] = {kShadowRight, kShadowBottom, kWidth,    kHeight,   kRightShadow,
                                kAlpha,       kBitmap,       kMenuCover, kCoverMenu, kSnapshot,
                                kSnapshotDc,  kPrevProc,     kFadeLevel, kSlideStep, kSlideTotal,
                                kSlideTotal2, kAddedLayer,   kOwnDragPicture, kCoverItem};

namespace detail {
// Property names are atoms, matched without regard to case (sameAsciiName).
inline BOOL CALLBACK findLibraryProp(HWND, LPSTR name, HANDLE, ULONG_PTR found) noexcept {
    // Atom-numbered properties come through as small integers.
    if (reinterpret_cast<ULONG_PTR>(name) <= 0xFFFF)
        return TRUE;
    for (const char* p : kAll)
        if (sameAsciiName(p, name)) {
            *reinterpret_cast<bool*>(found) = true;
            return FALSE;
        }
    return TRUE;
}
} // namespace detail

// Whether any of the library's properties is on the window: one walk of its
// list (a single platform call for a window that has none) instead of a
// look-up or removal per name.
inline bool hasAny(HWND wnd) noexcept {
    bool found = false;
    if (wnd)
        EnumPropsExA(wnd, detail::findLibraryProp, reinterpret_cast<LPARAM>(&found));
    return found;
}

inline bool has(HWND wnd, const char* name) noexcept {
    return wnd && GetPropA(wnd, name) != nullptr;
}

// A signed 32-bit value; 0 when absent.
inline std::int32_t getInt(HWND wnd, const char* name) noexcept {
    return wnd ? static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(GetPropA(wnd, name)))
               : 0;
}

inline bool setInt(HWND wnd, const char* name, std::int32_t value) noexcept {
    return wnd && SetPropA(wnd, name, reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(value)));
}

inline HWND getWindow(HWND wnd, const char* name) noexcept {
    return wnd ? static_cast<HWND>(GetPropA(wnd, name)) : nullptr;
}

inline bool setWindow(HWND wnd, const char* name, HWND value) noexcept {
    return wnd && SetPropA(wnd, name, value);
}

inline void remove(HWND wnd, const char* name) noexcept {
    if (wnd)
        RemovePropA(wnd, name);
}

// Handles kept in the 32-bit table and properties: the platform keeps window
// handles within 32 bits and lets them be sign-extended back.
inline std::uint32_t handleValue(HWND wnd) noexcept {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(wnd));
}
inline HWND windowFromValue(std::uint32_t value) noexcept {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}

} // namespace zrv::props
