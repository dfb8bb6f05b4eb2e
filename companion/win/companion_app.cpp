#include "companion/win/companion_app.h"

#include "hooklib/win/zrv_exports.h"
#include "binding/companion_protocol.h"
#include "binding/win/library_binding.h"

namespace zrv::companion {
namespace {

LRESULT CALLBACK companionProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kUpdateSettingMessage) {
        // The library this process bound, kept with the window: not a look-up
        // by name, which could find another library of that name mapped in
        // by someone else's hooks.
        auto lib = reinterpret_cast<HMODULE>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
        if (lib)
            if (auto update = zrvExport<UpdateSettingProc>(lib, "UpdateSetting"))
                update();
        return 0;
    }
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

HWND createWindow(HMODULE library) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = companionProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kWindowClass;
    if (!RegisterClassA(&wc))
        return nullptr;
    HWND wnd = CreateWindowExA(0, kWindowClass, "Zirvane", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               wc.hInstance, nullptr);
    if (wnd)
        SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(library));
    return wnd;
}

// Pumps until the window has been destroyed (true) or the loader has ended
// (false).
bool pumpUntilClosedOrLoaderGone(HANDLE loader) {
    for (;;) {
        const DWORD r = MsgWaitForMultipleObjects(1, &loader, FALSE, INFINITE, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0)
            return false;
        if (r != WAIT_OBJECT_0 + 1)
            return false; // the handle went bad: treat the loader as gone
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT)
                return true;
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
}

} // namespace

int runCompanion(HANDLE loader) {
    binding::LibraryBinding binding;
    // The loader checked that the library is beside us; should it still fail
    // to load, the binding has told the user, and there is nothing to follow.
    if (!binding.bind(nullptr))
        return 2;
    HWND wnd = createWindow(binding.library());
    if (!wnd) {
        binding.unbind();
        return 3;
    }
    // Windows that exist already pass through the new hooks.
    binding::redrawDesktop();
    const bool closed = pumpUntilClosedOrLoaderGone(loader);
    if (!closed)
        DestroyWindow(wnd);
    binding.unbind();
    return 0;
}

} // namespace zrv::companion
