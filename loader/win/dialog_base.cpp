#include "loader/win/dialog_base.h"

#include <commctrl.h>

namespace zrv::loader {

INT_PTR CDialogBase::doModal(HWND owner) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), owner,
                           dialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CDialogBase::dialogProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<CDialogBase*>(GetWindowLongPtrA(wnd, DWLP_USER));
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<CDialogBase*>(lp);
        SetWindowLongPtrA(wnd, DWLP_USER, lp);
        self->wnd_ = wnd;
    }
    return self ? self->dispatch(msg, wp, lp) : FALSE;
}

INT_PTR CDialogBase::dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_INITDIALOG:
        return onInitDialog();
    case WM_COMMAND:
        onCommand(LOWORD(wp), HIWORD(wp));
        // OK and Cancel of a modal dialog end it unless the handler did.
        return TRUE;
    case WM_NOTIFY:
        onNotify(*reinterpret_cast<const NMHDR*>(lp));
        return FALSE;
    case WM_TIMER:
        onTimer(wp);
        return FALSE;
    case WM_DESTROY:
        onDestroy();
        return FALSE;
    default: {
        LRESULT result = 0;
        if (onMessage(msg, wp, lp, result)) {
            SetWindowLongPtrA(wnd_, DWLP_MSGRESULT, result);
            return TRUE;
        }
        return FALSE;
    }
    }
}

std::string CDialogBase::text(int id) const {
    char buf[256] = {};
    GetDlgItemTextA(wnd_, id, buf, sizeof buf);
    return buf;
}

int CDialogBase::sliderPos(int id) const {
    return static_cast<int>(SendMessageA(item(id), TBM_GETPOS, 0, 0));
}

void CDialogBase::setSlider(int id, int lo, int hi, int pos) {
    SendMessageA(item(id), TBM_SETRANGE, TRUE, MAKELPARAM(lo, hi));
    SendMessageA(item(id), TBM_SETPOS, TRUE, pos);
}

} // namespace zrv::loader
