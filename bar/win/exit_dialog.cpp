#include "bar/win/exit_dialog.h"

#include "bar/win/bar_window.h"
#include "bar/win/button_draw.h"
#include "bar/win/platform.h"
#include "bar/win/resource.h"

#include <windowsx.h>

namespace tessel::win {

using namespace zt;

namespace {

struct ExitDialog {
    HWND wnd = nullptr;
    COLORREF buttonColour = 0;
    ScopedBrush buttonBrush;
    ScopedBitmap back, close, move;
    SIZE backSize{240, 130}, closeSize{}, moveSize{};
    POINT anchor{};
    bool dragging = false;
};
ExitDialog* g_dialog = nullptr;

SIZE sizeOf(HBITMAP b) {
    BITMAP bm = {};
    if (!b || !GetObjectA(b, sizeof bm, &bm))
        return {0, 0};
    return {bm.bmWidth, bm.bmHeight};
}

RunError loadFramePicture(const std::string& folder, const char* name, ScopedBitmap& into) {
    std::string path = skinFilePath(folder, name);
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return RunError::at(ErrorNumber::FileNotFound, path);
    HANDLE h = LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (!h)
        return RunError::at(ErrorNumber::InvalidPicture, path);
    into.reset(static_cast<HBITMAP>(h));
    return {};
}

RECT closeRect(const ExitDialog& d) {
    return {d.backSize.cx - d.closeSize.cx, 0, d.backSize.cx, d.closeSize.cy};
}
RECT moveRect(const ExitDialog& d) { return {0, 0, d.moveSize.cx, d.moveSize.cy}; }

void blit(HDC dc, HBITMAP b, int x, int y) {
    if (!b)
        return;
    ScopedMemDc mem(CreateCompatibleDC(dc));
    ScopedSelect sel(mem.get(), b);
    SIZE s = sizeOf(b);
    BitBlt(dc, x, y, s.cx, s.cy, mem.get(), 0, 0, SRCCOPY);
}

// Shutting down or restarting needs the shut-down privilege on systems
// that have privileges; without it the request is refused silently.
void exitWindows(UINT how) {
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        ScopedKernelHandle owner(token);
        TOKEN_PRIVILEGES tp = {};
        if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &tp.Privileges[0].Luid)) {
            tp.PrivilegeCount = 1;
            tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
            AdjustTokenPrivileges(token, FALSE, &tp, 0, nullptr, nullptr);
        }
    }
    ExitWindowsEx(how, 0);
}

void layOut(ExitDialog& d) {
    SetWindowPos(d.wnd, nullptr, 0, 0, d.backSize.cx, d.backSize.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const int ids[] = {IDC_SHUTDOWN, IDC_RESTART, IDC_EXIT_TESSEL};
    const int gap = 8, h = 26;
    const int w = (d.backSize.cx - 4 * gap) / 3;
    const int y = std::max<int>(d.moveSize.cy + gap, (d.backSize.cy - h) / 2 + 8);
    for (int i = 0; i < 3; ++i)
        SetWindowPos(GetDlgItem(d.wnd, ids[i]), nullptr, gap + i * (w + gap), y, w, h,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void drawButton(const ExitDialog& d, const DRAWITEMSTRUCT& di) {
    drawSkinButton(di, d.buttonColour, reinterpret_cast<HFONT>(SendMessageA(d.wnd, WM_GETFONT, 0, 0)),
                   DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

bool mouse(ExitDialog& d, UINT msg, WPARAM wp, LPARAM lp) {
    POINT pt = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    RECT close = closeRect(d), move = moveRect(d);
    switch (msg) {
    case WM_LBUTTONDOWN:
        if (PtInRect(&close, pt)) {
            DestroyWindow(d.wnd);
        } else if (PtInRect(&move, pt)) {
            d.anchor = pt;
            d.dragging = true;
            SetCapture(d.wnd);
        }
        return true;
    case WM_MOUSEMOVE:
        if (d.dragging &&
            (wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2)) == MK_LBUTTON) {
            RECT r;
            GetWindowRect(d.wnd, &r);
            SetWindowPos(d.wnd, nullptr, r.left + pt.x - d.anchor.x, r.top + pt.y - d.anchor.y,
                         0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return true;
    case WM_LBUTTONUP:
        // This dialog only moves: it is not pulled to the screen edges.
        if (d.dragging)
            ReleaseCapture();
        d.dragging = false;
        return true;
    }
    return false;
}

INT_PTR CALLBACK dialogProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    ExitDialog* d = g_dialog;
    if (!d || (d->wnd && d->wnd != wnd))
        return FALSE;
    switch (msg) {
    case WM_INITDIALOG:
        d->wnd = wnd;
        layOut(*d);
        return TRUE;
    case WM_ERASEBKGND: {
        HDC dc = reinterpret_cast<HDC>(wp);
        RECT rc;
        GetClientRect(wnd, &rc);
        FillRect(dc, &rc, d->buttonBrush.get());
        blit(dc, d->back.get(), 0, 0);
        blit(dc, d->move.get(), 0, 0);
        blit(dc, d->close.get(), d->backSize.cx - d->closeSize.cx, 0);
        SetWindowLongPtrA(wnd, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    case WM_DRAWITEM:
        drawButton(*d, *reinterpret_cast<DRAWITEMSTRUCT*>(lp));
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        return mouse(*d, msg, wp, lp);
    case WM_COMMAND:
        switch (LOWORD(wp)) {
        case IDC_SHUTDOWN: exitWindows(EWX_SHUTDOWN); return TRUE;
        case IDC_RESTART: exitWindows(EWX_REBOOT); return TRUE;
        case IDC_EXIT_TESSEL: ExitProcess(0);
        case IDCANCEL: DestroyWindow(wnd); return TRUE;
        }
        break;
    case WM_DESTROY:
        g_dialog = nullptr;
        delete d;
        return TRUE;
    }
    return FALSE;
}

} // namespace

void showExitDialog(HINSTANCE instance, const BarWindow& bar) {
    if (g_dialog && g_dialog->wnd) {
        ShowWindow(g_dialog->wnd, SW_SHOW);
        SetForegroundWindow(g_dialog->wnd);
        return;
    }
    auto* d = new ExitDialog;
    d->buttonColour = bar.buttonColour();
    d->buttonBrush.reset(CreateSolidBrush(d->buttonColour));
    RunError first;
    for (auto [name, into] : {std::pair{"dialogback.bmp", &d->back},
                              std::pair{"dialogexit.bmp", &d->close},
                              std::pair{"dialogmove.bmp", &d->move}}) {
        RunError e = loadFramePicture(bar.skinFolder(), name, *into);
        if (e && !first)
            first = e;
    }
    if (first)
        showErrorReport(bar.hwnd(), first);
    if (d->back)
        d->backSize = sizeOf(d->back.get());
    d->closeSize = sizeOf(d->close.get());
    d->moveSize = sizeOf(d->move.get());
    g_dialog = d;
    HWND wnd = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_EXIT), nullptr, dialogProc, 0);
    if (!wnd) {
        g_dialog = nullptr;
        delete d;
        return;
    }
    // Centred on the screen, in front of the bar.
    RECT r;
    GetWindowRect(wnd, &r);
    SetWindowPos(wnd, HWND_TOPMOST, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(wnd);
}

bool isExitDialogMessage(MSG& msg) {
    return g_dialog && g_dialog->wnd && IsDialogMessageA(g_dialog->wnd, &msg);
}

} // namespace tessel::win
