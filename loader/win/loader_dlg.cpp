#include "loader/win/loader_dlg.h"

#include "hooklib/win/binding_mark.h"
#include "loader/loader_rules.h"
#include "loader/resource.h"
#include "loader/win/my_property_sheet.h"
#include "loader/win/settings_file.h"

#include "common/win/monitors.h"

namespace zrv::loader {

CLoaderDlg::CLoaderDlg(CTrayIcon& tray) : CDialogBase(IDD_LOADER), tray_(tray) {}

void CLoaderDlg::recordInstallDir() {
    if (!installDirNeedsWriting(readString(keys::kInstalled, keys::kDir, "")))
        return;
    char dir[256] = {};
    GetCurrentDirectoryA(255, dir);
    WritePrivateProfileStringA(keys::kInstalled, keys::kDir, dir, keys::kMainFile);
}

BOOL CLoaderDlg::onInitDialog() {
    SendMessageA(wnd_, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))));
    recordInstallDir();
    // Shown for a moment at the start, and the owner of the message about a
    // missing library: on the monitor the user is at.
    zt::win::centreOnPointerMonitor(wnd_);
    // This window has been made by now, so a resident copy's window-creation
    // hook has mapped the library into this process: then only the sheet is
    // shown. A copy that was killed left its hook behind, under wine, but
    // not its mark.
    if (GetModuleHandleA("ZRV.DLL") && zrv::bindingMarkPresent()) {
        openSheet();
        endDialog(IDCANCEL);
        return TRUE;
    }
    bind();
    if (readGlobalInt(keys::kShowIcon) == 1 && tray_.create(wnd_, kTrayMessage, kTrayTip, nullptr, IDR_TRAYMENU))
        tray_.setIconFromResource(IDR_MAINFRAME);
    SetWindowTextA(wnd_, kTitle);
    SetTimer(wnd_, kHideTimer, kHideDelayMs, nullptr);
    binding::redrawDesktop();
    return TRUE;
}

void CLoaderDlg::openSheet() {
    CMyPropertySheet sheet;
    sheet.doModal(wnd_);
}

// The loader's library and, where there is one, the companion's act as one:
// bound together, unbound together.
void CLoaderDlg::bind() {
    // Bound already: a second pair of hooks would outlive every unbind.
    if (binding_.library())
        return;
    if (binding_.bind(wnd_))
        companion_.start();
}

void CLoaderDlg::unbind() {
    binding_.unbind();
    companion_.stop();
}

void CLoaderDlg::unload() {
    unbind();
    tray_.remove();
    endDialog(IDCANCEL);
}

void CLoaderDlg::onTimer(UINT_PTR /*id*/) {
    if (IsWindowVisible(wnd_)) {
        ShowWindow(wnd_, SW_HIDE);
        KillTimer(wnd_, kHideTimer);
    }
}

void CLoaderDlg::onCommand(int id, int /*code*/) {
    switch (id) {
    case ID_CONFIGURE_ZIRVANE:
    case ID_LOADER_CONFIGURE: openSheet(); break;
    case ID_UNLOAD_ZIRVANE: unload(); break;
    case ID_LOADER_BIND: bind(); break;
    case ID_LOADER_UNBIND: unbind(); break;
    // The window stays up whatever else arrives (Escape, Enter).
    default: break;
    }
}

bool CLoaderDlg::onMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg != kTrayMessage)
        return false;
    result = tray_.onTrayNotification(wp, lp);
    return true;
}

} // namespace zrv::loader
