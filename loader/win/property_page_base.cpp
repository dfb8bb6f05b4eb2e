#include "loader/win/property_page_base.h"

#include "loader/win/settings_file.h"

namespace zrv::loader {

const BoundControl* CPropertyPageBase::boundRow(int id) const {
    for (size_t i = 0; i < boundCount_; ++i)
        if (bound_[i].id == id)
            return &bound_[i];
    return nullptr;
}

BOOL CPropertyPageBase::onInitDialog() {
    for (size_t i = 0; i < boundCount_; ++i) {
        const BoundControl& c = bound_[i];
        const int value = readGlobalInt(c.key, c.missing);
        switch (c.kind) {
        case BoundControl::Check: setChecked(c.id, value != 0); break;
        case BoundControl::CheckOne: setChecked(c.id, value == 1); break;
        case BoundControl::Slider: setSlider(c.id, 0, 255, value); break;
        }
    }
    return TRUE;
}

void CPropertyPageBase::writeBound(int id) {
    const BoundControl* c = boundRow(id);
    if (!c || c->kind == BoundControl::Slider)
        return;
    const bool on = checked(id);
    writeGlobalFlag(c->key, on);
    onBoundChanged(id, on);
}

void CPropertyPageBase::onCommand(int id, int code) {
    if (code == BN_CLICKED)
        writeBound(id);
}

void CPropertyPageBase::onNotify(const NMHDR& hdr) {
    const BoundControl* c = boundRow(static_cast<int>(hdr.idFrom));
    if (c && c->kind == BoundControl::Slider &&
        hdr.code == static_cast<UINT>(NM_RELEASEDCAPTURE))
        writeGlobalInt(c->key, sliderPos(c->id));
}

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
