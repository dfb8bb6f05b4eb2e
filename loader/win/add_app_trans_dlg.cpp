#include "loader/win/add_app_trans_dlg.h"

#include <commdlg.h>

#include "formats/effect_keys.h"
#include "loader/loader_rules.h"
#include "loader/resource.h"
#include "loader/win/settings_file.h"

namespace zrv::loader {

namespace {
// Kinds of target; only applications can be chosen in this version.
constexpr const char* kKinds[] = {"Taskbar", "Tessel launcher bar", "Tessel program list",
                                  "Window text", "Application (.exe)"};
constexpr int kApplicationKind = 4;
} // namespace

CAddAppTransDlg::CAddAppTransDlg() : CDialogBase(IDD_ADD_APP_TRANS) {}

BOOL CAddAppTransDlg::onInitDialog() {
    HWND kinds = item(IDC_ADD_KIND);
    for (const char* k : kKinds)
        SendMessageA(kinds, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(k));
    SendMessageA(kinds, CB_SETCURSEL, kApplicationKind, 0);
    setSlider(IDC_ADD_SLIDER, 0, 255, keys::kTransUtilityDefault);
    return TRUE;
}

void CAddAppTransDlg::onBrowse() {
    char file[MAX_PATH] = "*.exe";
    char title[MAX_PATH] = {};
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = wnd_;
    ofn.lpstrFilter = "*.exe\0*.exe\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = sizeof title;
    ofn.lpstrDefExt = "exe";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    // After Cancel the name is empty, and so is the box.
    if (!GetOpenFileNameA(&ofn))
        title[0] = '\0';
    setText(IDC_ADD_NAME, title);
}

void CAddAppTransDlg::onOk() {
    const std::string name = text(IDC_ADD_NAME);
    switch (checkApplicationName(name)) {
    case AppNameCheck::Unsafe:
        // Such a name would break the file's section lines; let the user fix it.
        MessageBoxA(wnd_, kUnsafeNameText, kUnsafeNameCaption, MB_OK | MB_ICONEXCLAMATION);
        return;
    case AppNameCheck::Accept:
        writeAppTrans(name, sliderPos(IDC_ADD_SLIDER));
        writeAppNoEffects(name, checked(IDC_APP_NOEFFECTS));
        break;
    case AppNameCheck::TooShort:
        break;
    }
    endDialog(IDOK);
}

void CAddAppTransDlg::onCommand(int id, int code) {
    if (id == IDC_ADD_BROWSE && code == BN_CLICKED)
        onBrowse();
    else if (id == IDOK)
        onOk();
    else if (id == IDCANCEL)
        endDialog(IDCANCEL);
}

} // namespace zrv::loader
