// A window dragged by its caption over another, held still mid-drag for a
// few seconds so that a screenshot can be taken (not a test).
//   drag_showcase [ghost] [holdSeconds]
#include "hooklib/win/process_state.h"
#include "tests/hooklib/win/drag_support.h"
#include "tests/hooklib/win/thread_hooks.h"
#include "tests/support/win/test_support.h"

#include <cstdlib>
#include <cstring>

namespace {

LRESULT CALLBACK paintedProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        RECT r;
        GetClientRect(w, &r);
        for (int i = 0; i < 8; ++i) {
            RECT band = {r.left, r.top + i * r.bottom / 8, r.right, r.top + (i + 1) * r.bottom / 8};
            HBRUSH b = CreateSolidBrush(RGB(255 - i * 30, i * 30, 60));
            FillRect(dc, &band, b);
            DeleteObject(b);
        }
        SetBkMode(dc, TRANSPARENT);
        DrawTextA(dc, "Drag me by the title bar", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(w, &ps);
        return 0;
    }
    return DefWindowProcA(w, m, wp, lp);
}

} // namespace

int main(int argc, char** argv) {
    zt::test::unmanagedWindowsUnderWine();
    const bool ghost = argc > 1 && std::strcmp(argv[1], "ghost") == 0;
    const int hold = argc > 2 ? std::atoi(argv[2]) : 4;
    zt::test::writeIni("Zirvane.ini", "GLOBAL", "SEMIDRAGGHOST", ghost ? 1 : 0);
    zrv::processAttach(nullptr);
    zrv::test::ThreadHooks hooks;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = paintedProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = "ShowcasePainted";
    RegisterClassA(&wc);
    HWND under = CreateWindowExA(0, "Edit", "A window underneath: its text shows through.",
                                 WS_OVERLAPPEDWINDOW | ES_MULTILINE | WS_VISIBLE, 380, 300, 600,
                                 400, nullptr, nullptr, wc.hInstance, nullptr);
    HWND w = CreateWindowExA(0, "ShowcasePainted", ghost ? "Ghost drag" : "Translucent drag",
                             WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 500, 360, nullptr,
                             nullptr, wc.hInstance, nullptr);
    zt::test::pumpMessages(500);
    dragtest::dragCaption(w, {400, 350}, [&](dragtest::Observed&) { Sleep(hold * 1000); });
    zt::test::pumpMessages(500);
    DestroyWindow(w);
    DestroyWindow(under);
    return 0;
}
