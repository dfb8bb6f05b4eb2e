// Drives a running configuration sheet for the screenshot script:
//   loader_shot_driver tab N        shows tab N
//   loader_shot_driver click ID     presses button ID of the current page
//   loader_shot_driver cancel TITLE closes the dialog titled TITLE
//   loader_shot_driver loader CMD   posts WM_COMMAND CMD to the "Zirvane" window
//   loader_shot_driver tray LPARAM  posts the tray callback (icon 137) to it
//   loader_shot_driver answer TITLE ID    presses ID of the dialog titled TITLE
//   loader_shot_driver select ID TEXT     selects TEXT in list ID of the current page
//   loader_shot_driver escape x      closes an open pop-up menu
//   loader_shot_driver rect TITLE   prints "WxH+X+Y" of the window titled TITLE (or class #32768)
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    const char* verb = argv[1];
    if (!std::strcmp(verb, "rect")) {
        HWND w = !std::strcmp(argv[2], "#32768") ? FindWindowA("#32768", nullptr) : FindWindowA(nullptr, argv[2]);
        RECT r = {};
        if (!w || !GetWindowRect(w, &r))
            return 1;
        std::printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
        return 0;
    }
    if (!std::strcmp(verb, "answer") && argc > 3) {
        HWND w = FindWindowA("#32770", argv[2]);
        return w && PostMessageA(w, WM_COMMAND, std::atoi(argv[3]), 0) ? 0 : 1;
    }
    if (!std::strcmp(verb, "escape")) {
        HWND w = FindWindowA("#32768", nullptr);
        return w && PostMessageA(w, WM_KEYDOWN, VK_ESCAPE, 0) ? 0 : 1;
    }
    if (!std::strcmp(verb, "cancel")) {
        HWND w = FindWindowA("#32770", argv[2]);
        return w && PostMessageA(w, WM_COMMAND, IDCANCEL, 0) ? 0 : 1;
    }
    if (!std::strcmp(verb, "loader") || !std::strcmp(verb, "tray")) {
        HWND w = FindWindowA("#32770", "Zirvane");
        if (!w)
            return 1;
        const long v = std::strtol(argv[2], nullptr, 0);
        return (!std::strcmp(verb, "loader") ? PostMessageA(w, WM_COMMAND, v, 0)
                                             : PostMessageA(w, WM_USER + 10, 137, v))
                   ? 0
                   : 1;
    }
    HWND sheet = FindWindowA("#32770", "Zirvane Properties");
    if (!sheet)
        return 1;
    const int n = std::atoi(argv[2]);
    if (!std::strcmp(verb, "tab"))
        return SendMessageA(sheet, PSM_SETCURSEL, n, 0) ? 0 : 1;
    if (!std::strcmp(verb, "select") && argc > 3) {
        HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        return SendDlgItemMessageA(page, n, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(argv[3])) >= 0 ? 0 : 1;
    }
    if (!std::strcmp(verb, "click")) {
        HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        return PostMessageA(GetDlgItem(page, n), BM_CLICK, 0, 0) ? 0 : 1;
    }
    return 2;
}
