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
    DesignerApp& a = app();
    // Once "Open" is pressed the chooser only waits to be closed: a second
    // press must not open the designer twice.
    if (a.chooser != dlg && (msg == WM_COMMAND || msg == WM_CLOSE))
        return TRUE;
    switch (msg) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dlg, IDC_CHOOSER_LABEL, kChooserHint);
        SetDlgItemTextA(dlg, IDC_CHOOSER_TEXT1, a.programFolder.c_str());
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wp)) {
        case IDC_CHOOSER_BROWSE: {
            const std::string path = askOpenPath(dlg, kSkinFilter, a.programFolder);
            if (!path.empty())
                SetDlgItemTextA(dlg, IDC_CHOOSER_TEXT1, path.c_str());
            return TRUE;
        }
        case IDC_CHOOSER_OPEN:
        case IDOK:
            a.skinFolder = windowText(GetDlgItem(dlg, IDC_CHOOSER_TEXT1));
            a.chooser = nullptr;
            // Closed once the canvas is on the screen, which then comes sooner.
            a.openedChooser = dlg;
            openDesigner(a);
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

HWND createSkinChooser(DesignerApp& a) {
    return CreateDialogParamA(a.instance, MAKEINTRESOURCEA(IDD_SKIN_CHOOSER), nullptr,
                              chooserProc, 0);
}

} // namespace tessel::designer::win
