#include "loader/win/property_page_base.h"

namespace zrv::loader {

PROPSHEETPAGEA CPropertyPageBase::pageRecord() {
    PROPSHEETPAGEA p = {};
    p.dwSize = sizeof p;
    p.dwFlags = PSP_DEFAULT;
    p.hInstance = GetModuleHandleA(nullptr);
    p.pszTemplate = MAKEINTRESOURCEA(templateId());
    p.pfnDlgProc = pageProc;
    p.lParam = reinterpret_cast<LPARAM>(this);
    return p;
}

INT_PTR CALLBACK CPropertyPageBase::pageProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<CPropertyPageBase*>(GetWindowLongPtrA(wnd, DWLP_USER));
    if (msg == WM_INITDIALOG) {
        const auto* rec = reinterpret_cast<const PROPSHEETPAGEA*>(lp);
        self = reinterpret_cast<CPropertyPageBase*>(rec->lParam);
        SetWindowLongPtrA(wnd, DWLP_USER, rec->lParam);
        self->wnd_ = wnd;
    }
    return self ? self->dispatch(msg, wp, lp) : FALSE;
}

void CPropertyPageBase::exchangeCheck(bool save, int id, int& member) {
    if (save)
        member = checked(id) ? 1 : 0;
    else
        setChecked(id, member != 0);
}

void CPropertyPageBase::exchangeText(bool save, int id, std::string& member) {
    if (save)
        member = text(id);
    else
        setText(id, member);
}

void CPropertyPageBase::exchangeRadio(bool save, int firstId, int count, int& member) {
    if (save) {
        member = -1;
        for (int i = 0; i < count; ++i)
            if (checked(firstId + i))
                member = i;
        return;
    }
    for (int i = 0; i < count; ++i)
        setChecked(firstId + i, i == member);
}

} // namespace zrv::loader
