// The object a window procedure serves: the creation parameter of the
// window, kept in its user data from WM_NCCREATE on.
#pragma once
#include <windows.h>

namespace zt {

// Call first thing in the window procedure with its message; null for the
// messages that come before WM_NCCREATE.
template <class T>
T* windowObject(HWND wnd, UINT msg, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    return reinterpret_cast<T*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
}

} // namespace zt
