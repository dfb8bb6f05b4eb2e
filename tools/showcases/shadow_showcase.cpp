// Puts a few shadowed windows on the screen for a look at them (screenshots):
//   shadow_showcase backdrop            a striped full-screen backdrop, no shadow
//   shadow_showcase windows X Y LABEL   a plain and an elliptic window at (X, Y)
//   shadow_showcase fading X Y          one window that fades in slowly
// The settings come from the files as they are when the program starts. It
// stays up for 60 seconds.
#include "hooklib/win/process_state.h"
#include "hooklib/win/zrv_exports.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

LRESULT CALLBACK backdropProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        RECT r;
        GetClientRect(w, &r);
        for (int x = 0; x < r.right; x += 40) {
            RECT band = {x, 0, x + 40, r.bottom};
            const int shade = (x / 40) % 2 ? 235 : 200;
            HBRUSH b = CreateSolidBrush(RGB(shade, shade, 255));
            FillRect(dc, &band, b);
            DeleteObject(b);
        }
        EndPaint(w, &ps);
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

void pumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        Sleep(10);
    }
}

HWND captioned(const char* title, int x, int y, int w, int h, bool elliptic) {
    HWND wnd = CreateWindowExA(0, "ShowcaseWindow", title, WS_OVERLAPPEDWINDOW, x, y, w, h,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (elliptic)
        SetWindowRgn(wnd, CreateEllipticRgn(0, 0, w, h), FALSE);
    ShowWindow(wnd, SW_SHOWNOACTIVATE);
    UpdateWindow(wnd);
    return wnd;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    const std::string mode = argv[1];
    WNDCLASSA wc = {};
    wc.lpfnWndProc = mode == "backdrop" ? backdropProc : DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "ShowcaseWindow";
    RegisterClassA(&wc);
    if (mode == "backdrop") {
        HWND w = CreateWindowExA(WS_EX_TOOLWINDOW, "ShowcaseWindow", "", WS_POPUP, 0, 0,
                                 GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ShowWindow(w, SW_SHOWNOACTIVATE);
        pumpFor(60000);
        return 0;
    }
    if (argc < 4)
        return 2;
    zrv::processAttach(nullptr);
    HHOOK ret = SetWindowsHookExA(WH_CALLWNDPROCRET, PatchAPI, nullptr, GetCurrentThreadId());
    HHOOK call = SetWindowsHookExA(WH_CALLWNDPROC, PatchAPI2, nullptr, GetCurrentThreadId());
    const int x = std::atoi(argv[2]), y = std::atoi(argv[3]);
    const std::string label = argc > 4 ? argv[4] : mode;
    if (mode == "windows") {
        captioned((label + ": plain").c_str(), x, y, 360, 220, false);
        captioned((label + ": elliptic").c_str(), x + 40, y + 260, 320, 200, true);
    } else if (mode == "fading") {
        captioned("fading in", x, y, 300, 180, false);
    }
    pumpFor(60000);
    UnhookWindowsHookEx(call);
    UnhookWindowsHookEx(ret);
    return 0;
}
