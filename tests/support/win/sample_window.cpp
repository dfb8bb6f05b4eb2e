// A plain program with one captioned window and a menu bar: what the effects
// are shown on by `make run`, and what the product tests watch from outside.
//   sample_window.exe [x y] [menu]
// "menu" opens a pop-up menu over the window a moment after it appears and
// keeps it open until it is dismissed.
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr UINT_PTR kMenuTimer = 1;
constexpr int kWidth = 380;
constexpr int kHeight = 260;
bool g_openMenu = false;

HMENU makeMenuBar() {
    HMENU bar = CreateMenu();
    const char* const titles[] = {"&File", "&Edit", "&View", "&Help"};
    for (const char* t : titles) {
        HMENU sub = CreatePopupMenu();
        AppendMenuA(sub, MF_STRING, 100, "&Open...");
        AppendMenuA(sub, MF_STRING, 101, "&Save");
        AppendMenuA(sub, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(sub, MF_STRING, 102, "E&xit");
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), t);
    }
    return bar;
}

void showPopup(HWND wnd) {
    HMENU menu = CreatePopupMenu();
    const char* const items[] = {"&New window", "&Open...", "&Save", "Save &as...", "&Print..."};
    for (int i = 0; i < 5; ++i)
        AppendMenuA(menu, MF_STRING, 200 + i, items[i]);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, 210, "&Close");
    RECT r = {};
    GetWindowRect(wnd, &r);
    SetForegroundWindow(wnd);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, r.left + 150, r.top + 90, 0, wnd, nullptr);
    DestroyMenu(menu);
}

LRESULT CALLBACK sampleProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        if (g_openMenu)
            SetTimer(wnd, kMenuTimer, 1200, nullptr);
        return 0;
    case WM_TIMER:
        KillTimer(wnd, kMenuTimer);
        showPopup(wnd);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        RECT r = {};
        GetClientRect(wnd, &r);
        FillRect(dc, &r, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
        SetBkMode(dc, TRANSPARENT);
        r.top += 40;
        DrawTextA(dc, "A sample program.\n\nIts window has a shadow;\nits menus are translucent.",
                  -1, &r, DT_CENTER);
        EndPaint(wnd, &ps);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wp) == 102 || LOWORD(wp) == 210)
            DestroyWindow(wnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(wnd, msg, wp, lp);
    }
}

} // namespace

int main(int argc, char** argv) {
    int x = 120, y = 120;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "menu") == 0)
            g_openMenu = true;
    if (argc >= 3 && std::strcmp(argv[1], "menu") != 0) {
        x = std::atoi(argv[1]);
        y = std::atoi(argv[2]);
    }
    WNDCLASSA wc = {};
    wc.lpfnWndProc = sampleProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    wc.lpszClassName = "ZtSampleWindow";
    if (!RegisterClassA(&wc))
        return 1;
    HWND wnd = CreateWindowExA(0, wc.lpszClassName, "Sample program", WS_OVERLAPPEDWINDOW, x, y,
                               kWidth, kHeight, nullptr, makeMenuBar(), wc.hInstance, nullptr);
    if (!wnd)
        return 1;
    ShowWindow(wnd, SW_SHOWNORMAL);
    UpdateWindow(wnd);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return 0;
}
