#include "loader/win/my_property_sheet.h"

#include "binding/win/library_binding.h"
#include "hooklib/win/zrv_exports.h"
#include "loader/win/companion_link.h"

#include "common/win/monitors.h"

namespace zrv::loader {

int CALLBACK CMyPropertySheet::sheetCallback(HWND sheet, UINT msg, LPARAM /*lp*/) {
    if (msg == PSCB_INITIALIZED) {
        SetWindowTextA(sheet, kCaption);
        // The pointer's monitor is the tray icon's when the sheet was opened
        // from it; the add and modify dialogs open over the sheet and so
        // come to the same monitor.
        zt::win::centreOnPointerMonitor(sheet);
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
    binding::redrawDesktop();
    Sleep(1000);
    binding::redrawDesktop();
}

CMyPropertySheet::~CMyPropertySheet() { notifyLibrary(); }

} // namespace zrv::loader
