#include "loader/win/loader_app.h"

#include <commctrl.h>

#include "loader/win/loader_dlg.h"

namespace zrv::loader {

int CLoaderApp::run() {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    CLoaderDlg dlg(tray_);
    dlg.doModal(nullptr);
    // The window's modal run was the only message loop.
    return 0;
}

} // namespace zrv::loader
