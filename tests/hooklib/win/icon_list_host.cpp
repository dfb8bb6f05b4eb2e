// Builds the shell's desktop tree ("Progman" > "SHELLDLL_DefView" >
// "SysListView32") with the library's code linked in and its hooks on this
// thread. The test starts it under the shell's file name and under its own.
//   WM_APP to the "Progman" window: reload the settings, then erase the list.
//   WM_CLOSE ends the program.
#include <windows.h>

#include <commctrl.h>

#include "hooklib/win/process_state.h"
#include "hooklib/win/settings_reads.h"
#include "tests/hooklib/win/thread_hooks.h"

namespace {

HWND g_list = nullptr;

LRESULT CALLBACK desktopProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP) {
        zrv::LoadEffectSettings();
        // An erase as painting would send it, whether or not the window is
        // on screen yet.
        HDC dc = GetDC(g_list);
        SendMessageA(g_list, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        ReleaseDC(g_list, dc);
        return 1;
    }
    if (msg == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(w, msg, wp, lp);
}

void registerClass(const char* name, WNDPROC proc) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BACKGROUND + 1);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

void unmanaged() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\')
            name = p + 1;
    char key[MAX_PATH + 64] = "Software\\Wine\\AppDefaults\\";
    lstrcatA(key, name);
    lstrcatA(key, "\\X11 Driver");
    HKEY k = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k,
                        nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(k, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
        RegCloseKey(k);
    }
}

} // namespace

int main() {
    unmanaged();
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    zrv::processAttach(nullptr);
    zrv::test::ThreadHooks hooks;
    registerClass("Progman", desktopProc);
    registerClass("SHELLDLL_DefView", DefWindowProcA);
    HINSTANCE inst = GetModuleHandleA(nullptr);
    HWND desktop = CreateWindowExA(WS_EX_TOOLWINDOW, "Progman", "Program Manager",
                                   WS_POPUP | WS_VISIBLE, 900, 700, 200, 150, nullptr, nullptr,
                                   inst, nullptr);
    HWND view = CreateWindowExA(0, "SHELLDLL_DefView", "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 150,
                                desktop, nullptr, inst, nullptr);
    g_list = CreateWindowExA(0, WC_LISTVIEWA, "FolderView", WS_CHILD | WS_VISIBLE | LVS_ICON, 0,
                             0, 200, 150, view, nullptr, inst, nullptr);
    if (!desktop || !view || !g_list)
        return 1;
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return 0;
}
