// RAII owners for Win32 handle kinds. Non-copyable, movable; each releases its
// handle the way that handle kind must be released.
#pragma once
#include <windows.h>

#include <utility>

namespace zt {

template <typename H, typename Traits> class ScopedHandle {
public:
    ScopedHandle() = default;
    explicit ScopedHandle(H h) : h_(h) {}
    ~ScopedHandle() { reset(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& o) noexcept : h_(std::exchange(o.h_, Traits::invalid())) {}
    ScopedHandle& operator=(ScopedHandle&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, Traits::invalid());
        }
        return *this;
    }
    H get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::invalid(); }
    H release() { return std::exchange(h_, Traits::invalid()); }
    void reset(H h = Traits::invalid()) {
        if (h_ != Traits::invalid())
            Traits::close(h_);
        h_ = h;
    }

private:
    H h_ = Traits::invalid();
};

struct KernelHandleTraits {
    static HANDLE invalid() { return nullptr; }
    static void close(HANDLE h) { CloseHandle(h); }
};
struct GdiObjectTraits {
    static HGDIOBJ invalid() { return nullptr; }
    static void close(HGDIOBJ h) { DeleteObject(h); }
};
struct MemDcTraits {
    static HDC invalid() { return nullptr; }
    static void close(HDC h) { DeleteDC(h); }
};
struct ModuleTraits {
    static HMODULE invalid() { return nullptr; }
    static void close(HMODULE h) { FreeLibrary(h); }
};
struct HookTraits {
    static HHOOK invalid() { return nullptr; }
    static void close(HHOOK h) { UnhookWindowsHookEx(h); }
};
struct RegKeyTraits {
    static HKEY invalid() { return nullptr; }
    static void close(HKEY h) { RegCloseKey(h); }
};
struct WindowTraits {
    static HWND invalid() { return nullptr; }
    static void close(HWND h) {
        if (IsWindow(h))
            DestroyWindow(h);
    }
};

using ScopedKernelHandle = ScopedHandle<HANDLE, KernelHandleTraits>;
using ScopedGdiObject = ScopedHandle<HGDIOBJ, GdiObjectTraits>;
using ScopedMemDc = ScopedHandle<HDC, MemDcTraits>;
using ScopedModule = ScopedHandle<HMODULE, ModuleTraits>;
using ScopedHook = ScopedHandle<HHOOK, HookTraits>;
using ScopedRegKey = ScopedHandle<HKEY, RegKeyTraits>;
using ScopedWindow = ScopedHandle<HWND, WindowTraits>;

template <typename T> class ScopedGdi : public ScopedGdiObject {
public:
    ScopedGdi() = default;
    explicit ScopedGdi(T h) : ScopedGdiObject(h) {}
    T get() const { return static_cast<T>(ScopedGdiObject::get()); }
};
using ScopedBitmap = ScopedGdi<HBITMAP>;
using ScopedBrush = ScopedGdi<HBRUSH>;
using ScopedPen = ScopedGdi<HPEN>;
using ScopedRegion = ScopedGdi<HRGN>;
using ScopedFont = ScopedGdi<HFONT>;

// A DC obtained with GetDC/GetWindowDC, given back with ReleaseDC.
class ScopedWindowDc {
public:
    explicit ScopedWindowDc(HWND wnd) : wnd_(wnd), dc_(GetDC(wnd)) {}
    static ScopedWindowDc whole(HWND wnd) { return ScopedWindowDc(wnd, GetWindowDC(wnd)); }
    ~ScopedWindowDc() {
        if (dc_)
            ReleaseDC(wnd_, dc_);
    }
    ScopedWindowDc(const ScopedWindowDc&) = delete;
    ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
    ScopedWindowDc(ScopedWindowDc&& o) noexcept
        : wnd_(o.wnd_), dc_(std::exchange(o.dc_, nullptr)) {}
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    ScopedWindowDc(HWND wnd, HDC dc) : wnd_(wnd), dc_(dc) {}
    HWND wnd_;
    HDC dc_;
};

// SelectObject for the life of a scope; the previous object is put back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ obj) : dc_(dc), old_(dc && obj ? SelectObject(dc, obj) : nullptr) {}
    ~ScopedSelect() {
        if (old_)
            SelectObject(dc_, old_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace zt
