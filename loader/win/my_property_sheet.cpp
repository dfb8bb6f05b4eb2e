#include "loader/win/my_property_sheet.h"

#include "hooklib/win/zrv_exports.h"
#include "loader/win/companion_link.h"
#include "loader/win/settings_file.h"

#include "common/win/monitors.h"

namespace zrv::loader {

namespace {
// Centred on the monitor of the mouse pointer, which is the tray icon's when
// the sheet was opened from it; the add and modify dialogs open over the
// sheet and so come to the same monitor.
void centreOnPointerMonitor(HWND wnd) {
    RECT r = {};
    POINT p = {};
    if (!GetWindowRect(wnd, &r) || !GetCursorPos(&p))
        return;
    const zt::Rect c =
        zt::centredIn(r.right - r.left, r.bottom - r.top, zt::win::monitorAtPoint(p).work);
    SetWindowPos(wnd, nullptr, c.left, c.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
} // namespace

int CALLBACK CMyPropertySheet::sheetCallback(HWND sheet, UINT msg, LPARAM /*lp*/) {
    if (msg == PSCB_INITIALIZED) {
        SetWindowTextA(sheet, kCaption);
        centreOnPointerMonitor(sheet);
    }
    return 0;
}

INT_PTR CMyPropertySheet::doModal(HWND owner) {
    PROPSHEETPAGEA records[kPageCount];
    for (int i = 0; i < kPageCount; ++i)
        records[i] = pages_[i]->pageRecord();
    PROPSHEETHEADERA h = {};
    h.dwSize = sizeof h;
    // OK and Cancel only: no Apply, no Help.
    h.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK;
    h.hwndParent = owner;
    h.hInstance = GetModuleHandleA(nullptr);
    h.pszCaption = kCaption;
    h.nPages = kPageCount;
    h.nStartPage = 0;
    h.ppsp = records;
    h.pfnCallback = sheetCallback;
    return PropertySheetA(&h);
}

void CMyPropertySheet::notifyLibrary() {
    // Looked up anew each time: the library may have been freed meanwhile.
    if (HMODULE lib = GetModuleHandleA("ZRV.DLL"))
        if (auto update = zrvExport<UpdateSettingProc>(lib, "UpdateSetting"))
            update();
    // The 32-bit programs' library, under a 64-bit loader, follows too.
    notifyCompanions();
    redrawDesktop();
    Sleep(1000);
    redrawDesktop();
}

CMyPropertySheet::~CMyPropertySheet() { notifyLibrary(); }

} // namespace zrv::loader
