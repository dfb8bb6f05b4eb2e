// RAII owners for Win32 handle kinds. Non-copyable, movable; each releases its
// handle the way that handle kind must be released.
#pragma once
#include <windows.h>
#include <objbase.h>

#include <utility>

namespace zt {

template <typename H, typename Traits> class ScopedHandle {
public:
    ScopedHandle() = default;
    explicit ScopedHandle(H h) noexcept : h_(h) {}
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
    H get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Traits::invalid(); }
    H release() noexcept { return std::exchange(h_, Traits::invalid()); }
    void reset(H h = Traits::invalid()) noexcept {
        if (h_ != Traits::invalid())
            Traits::close(h_);
        h_ = h;
    }

private:
    H h_ = Traits::invalid();
};

struct KernelHandleTraits {
    static HANDLE invalid() noexcept { return nullptr; }
    static void close(HANDLE h) noexcept { CloseHandle(h); }
};
// CreateFile's failure is INVALID_HANDLE_VALUE, not null.
struct FileHandleTraits {
    static HANDLE invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) noexcept { CloseHandle(h); }
};
struct FindHandleTraits {
    static HANDLE invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) noexcept { FindClose(h); }
};
struct MenuTraits {
    static HMENU invalid() noexcept { return nullptr; }
    static void close(HMENU h) noexcept { DestroyMenu(h); }
};
struct GlobalMemoryTraits {
    static HGLOBAL invalid() noexcept { return nullptr; }
    static void close(HGLOBAL h) noexcept { GlobalFree(h); }
};
struct GdiObjectTraits {
    static HGDIOBJ invalid() noexcept { return nullptr; }
    static void close(HGDIOBJ h) noexcept { DeleteObject(h); }
};
struct MemDcTraits {
    static HDC invalid() noexcept { return nullptr; }
    static void close(HDC h) noexcept { DeleteDC(h); }
};
struct ModuleTraits {
    static HMODULE invalid() noexcept { return nullptr; }
    static void close(HMODULE h) noexcept { FreeLibrary(h); }
};
struct HookTraits {
    static HHOOK invalid() noexcept { return nullptr; }
    static void close(HHOOK h) noexcept { UnhookWindowsHookEx(h); }
};
struct RegKeyTraits {
    static HKEY invalid() noexcept { return nullptr; }
    static void close(HKEY h) noexcept { RegCloseKey(h); }
};
struct WindowTraits {
    static HWND invalid() noexcept { return nullptr; }
    static void close(HWND h) noexcept {
        if (IsWindow(h))
            DestroyWindow(h);
    }
};

using ScopedKernelHandle = ScopedHandle<HANDLE, KernelHandleTraits>;
using ScopedFileHandle = ScopedHandle<HANDLE, FileHandleTraits>;
using ScopedFindHandle = ScopedHandle<HANDLE, FindHandleTraits>;
using ScopedMenu = ScopedHandle<HMENU, MenuTraits>;
using ScopedGlobalMemory = ScopedHandle<HGLOBAL, GlobalMemoryTraits>;
using ScopedGdiObject = ScopedHandle<HGDIOBJ, GdiObjectTraits>;
using ScopedMemDc = ScopedHandle<HDC, MemDcTraits>;
using ScopedModule = ScopedHandle<HMODULE, ModuleTraits>;
using ScopedHook = ScopedHandle<HHOOK, HookTraits>;
using ScopedRegKey = ScopedHandle<HKEY, RegKeyTraits>;
using ScopedWindow = ScopedHandle<HWND, WindowTraits>;

template <typename T> class ScopedGdi : public ScopedGdiObject {
public:
    ScopedGdi() = default;
    explicit ScopedGdi(T h) noexcept : ScopedGdiObject(h) {}
    T get() const noexcept { return static_cast<T>(ScopedGdiObject::get()); }
};
using ScopedBitmap = ScopedGdi<HBITMAP>;
using ScopedBrush = ScopedGdi<HBRUSH>;
using ScopedPen = ScopedGdi<HPEN>;
using ScopedRegion = ScopedGdi<HRGN>;
using ScopedFont = ScopedGdi<HFONT>;

// Memory the shell or COM hands over, given back with CoTaskMemFree.
template <typename T> class ScopedCoTaskMem {
public:
    ScopedCoTaskMem() = default;
    explicit ScopedCoTaskMem(T* p) : p_(p) {}
    ~ScopedCoTaskMem() { CoTaskMemFree(p_); }
    ScopedCoTaskMem(const ScopedCoTaskMem&) = delete;
    ScopedCoTaskMem& operator=(const ScopedCoTaskMem&) = delete;
    ScopedCoTaskMem(ScopedCoTaskMem&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ScopedCoTaskMem& operator=(ScopedCoTaskMem&& o) noexcept {
        if (this != &o) {
            CoTaskMemFree(p_);
            p_ = std::exchange(o.p_, nullptr);
        }
        return *this;
    }
    T* get() const { return p_; }
    // For a function that hands the memory over through its argument; what
    // was held before is given back first.
    T** out() {
        CoTaskMemFree(std::exchange(p_, nullptr));
        return &p_;
    }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

// The two handles CreateProcess hands back, closed together.
class ScopedProcessInfo {
public:
    ScopedProcessInfo() = default;
    ~ScopedProcessInfo() { reset(); }
    ScopedProcessInfo(const ScopedProcessInfo&) = delete;
    ScopedProcessInfo& operator=(const ScopedProcessInfo&) = delete;
    ScopedProcessInfo(ScopedProcessInfo&& o) noexcept : pi_(std::exchange(o.pi_, {})) {}
    ScopedProcessInfo& operator=(ScopedProcessInfo&& o) noexcept {
        if (this != &o) {
            reset();
            pi_ = std::exchange(o.pi_, {});
        }
        return *this;
    }
    // For CreateProcess; what was held before is closed first.
    PROCESS_INFORMATION* out() {
        reset();
        return &pi_;
    }
    const PROCESS_INFORMATION& get() const { return pi_; }
    HANDLE process() const { return pi_.hProcess; }
    DWORD processId() const { return pi_.dwProcessId; }
    // The process handle, now the caller's; the thread handle stays to be
    // closed here.
    HANDLE releaseProcess() { return std::exchange(pi_.hProcess, nullptr); }
    void reset() {
        if (pi_.hThread)
            CloseHandle(pi_.hThread);
        if (pi_.hProcess)
            CloseHandle(pi_.hProcess);
        pi_ = {};
    }

private:
    PROCESS_INFORMATION pi_ = {};
};

// A DC obtained with GetDC/GetWindowDC, given back with ReleaseDC.
class ScopedWindowDc {
public:
    explicit ScopedWindowDc(HWND wnd) noexcept : wnd_(wnd), dc_(GetDC(wnd)) {}
    static ScopedWindowDc whole(HWND wnd) noexcept { return ScopedWindowDc(wnd, GetWindowDC(wnd)); }
    ~ScopedWindowDc() {
        if (dc_)
            ReleaseDC(wnd_, dc_);
    }
    ScopedWindowDc(const ScopedWindowDc&) = delete;
    ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
    ScopedWindowDc(ScopedWindowDc&& o) noexcept
        : wnd_(o.wnd_), dc_(std::exchange(o.dc_, nullptr)) {}
    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    ScopedWindowDc(HWND wnd, HDC dc) noexcept : wnd_(wnd), dc_(dc) {}
    HWND wnd_;
    HDC dc_;
};

// SelectObject for the life of a scope; the previous object is put back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ obj) noexcept
        : dc_(dc), old_(dc && obj ? SelectObject(dc, obj) : nullptr) {}
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
