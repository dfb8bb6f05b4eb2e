// The library's exported operations, bound by the loader by name. All use the
// platform's callback calling convention and never throw.
#pragma once
#include <windows.h>

#include "common/win/platform_function.h"

extern "C" {
LRESULT CALLBACK PatchAPI(int code, WPARAM wParam, LPARAM lParam) noexcept;
LRESULT CALLBACK PatchAPI2(int code, WPARAM wParam, LPARAM lParam) noexcept;
LRESULT CALLBACK PatchAPI3(int code, WPARAM wParam, LPARAM lParam) noexcept;
LRESULT CALLBACK Patch3(int code, WPARAM wParam, LPARAM lParam) noexcept;
void CALLBACK SetHookPtr(HHOOK returnHook, HHOOK callHook, HHOOK thirdHook) noexcept;
void CALLBACK UpdateSetting() noexcept;
// The in-context window-creation event procedure through which a program's
// threads get the library's hooks (see thread_hooks.h).
void CALLBACK ThreadPatch(HWINEVENTHOOK hook, DWORD event, HWND wnd, LONG object, LONG child,
                          DWORD eventThread, DWORD time) noexcept;
LRESULT CALLBACK stubPatch(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
LRESULT CALLBACK fakeWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
}

// Function types for binding the exports with GetProcAddress.
using PatchApiProc = LRESULT(CALLBACK*)(int, WPARAM, LPARAM);
using SetHookPtrProc = void(CALLBACK*)(HHOOK, HHOOK, HHOOK);
using UpdateSettingProc = void(CALLBACK*)();
using ThreadPatchProc = void(CALLBACK*)(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD);

// An export looked up as its own function type.
template <typename Fn> Fn zrvExport(HMODULE lib, const char* name) {
    return zt::platformFunction<Fn>(lib, name);
}
