// The skin chooser (`Form5`): asks for the skin folder.
#include "designer_app.h"
#include "late_bound.h"
#include "window_text.h"
#include "resource.h"

namespace tessel::designer::win {

namespace {
constexpr char kChooserHint[] =
    "Delete the \"\\skinsettings.tsl\" so only the directory name is there.";
constexpr char kSkinFilter[] = "Tessel Skin Files(*.tsl)|*.tsl";

INT_PTR CALLBACK chooserProc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
    DesignerApp& app = designerApp();
    // Once "Open" is pressed the chooser only waits to be closed: a second
    // press must not open the designer twice.
    if (app.chooser != dlg && (msg == WM_COMMAND || msg == WM_CLOSE))
        return TRUE;
    switch (msg) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dlg, IDC_CHOOSER_LABEL, kChooserHint);
        SetDlgItemTextA(dlg, IDC_CHOOSER_TEXT1, app.programFolder.c_str());
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wp)) {
        case IDC_CHOOSER_BROWSE: {
            const std::string path = askOpenPath(dlg, kSkinFilter, app.programFolder);
            if (!path.empty())
                SetDlgItemTextA(dlg, IDC_CHOOSER_TEXT1, path.c_str());
            return TRUE;
        }
        case IDC_CHOOSER_OPEN:
        case IDOK:
            app.skinFolder = windowText(GetDlgItem(dlg, IDC_CHOOSER_TEXT1));
            app.chooser = nullptr;
            // Closed once the canvas is on the screen, which then comes sooner.
            app.openedChooser = dlg;
            openDesigner(app);
            return TRUE;
        case IDCANCEL:
            endDesigner();
            return TRUE;
        }
        break;
    case WM_CLOSE:
        endDesigner();
        return TRUE;
    }
    return FALSE;
}
} // namespace

HWND createSkinChooser(DesignerApp& app) {
    return CreateDialogParamA(app.instance, MAKEINTRESOURCEA(IDD_SKIN_CHOOSER), nullptr,
                              chooserProc, 0);
}

} // namespace tessel::designer::win
